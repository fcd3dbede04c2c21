#include "ReportValues.h"

#include "sysinfo/win/Dask_Engines.h"
#include "sysinfo/win/Dask_Machine.h"
#include "sysinfo/win/Dask_OS.h"

TReportValues ReportValuesOf(const TVexor_Engines& engines, const TVexor_OperatingSystem& os,
                             const TVexor_Machine& machine) {
    TReportValues values;
    values.MachineName = machine.MachineName();
    values.OSName = os.OSName();
    values.OSEdition = os.OSEdition();
    values.BuildLab = os.BuildLab();
    values.ODBC = engines.ODBC();
    values.ADO = engines.ADO();
    values.NET = engines.NET();
    values.DAO = engines.DAO();
    values.MSI = engines.MSI();
    values.OpenGL = engines.OpenGL();
    values.IE = engines.IE();
    values.QT = engines.QT();
    values.BDE = engines.BDE();
    values.ASPI = engines.ASPI32()->ASPI();
    values.DirectXVersion = engines.DirectX()->Version();
    values.Direct3D = engines.DirectX()->Direct3D();
    values.DirectMusic = engines.DirectX()->DirectMusic();
    values.DirectPlay = engines.DirectX()->DirectPlay();
    return values;
}
