#include "base/Exception.h"
#include "sysinfo/win/Dask_Engines.h"
#include "sysinfo/win/Vexor_Routines.h"
#include "tests/fixtures/Fixtures.h"
#include "tests/fixtures/SavedRegistryTree.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kBorland = "SOFTWARE\\Borland";
const char* const kFileList = "SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Core\\FileList";
const char* const kNetFramework = "SOFTWARE\\Microsoft\\.NETFramework";
const char* const kSharedDlls = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const char* const kExplorer = "SOFTWARE\\Microsoft\\Internet Explorer";
const char* const kInternetSettings = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// Class identifiers that sort before and after every class Wine registers.
std::string FirstClassId(int n) {
    return "{00000000-4B45-5354-4F56-00000000000" + std::to_string(n) + "}";
}
std::string LastClassId(int n) {
    return "{FFFFFFFF-4B45-5354-4F56-00000000000" + std::to_string(n) + "}";
}

// The engine keys of HKLM as Wine made them, put back after every test, and a
// folder for engine files copied from the versioned fixture DLLs. The copies
// never take the name of a DLL Wine has built in (msi.dll, odbc32.dll, ...):
// Wine would read its own DLL's resource instead.
class EnginesTest : public ::testing::Test {
protected:
    std::string Copy(const std::string& dll, const std::string& relativePath) {
        const std::string target = temp.File(relativePath);
        for (size_t slash = target.find('\\', temp.Path().size() + 1); slash != std::string::npos;
             slash = target.find('\\', slash + 1))
            CreateDirectoryA(target.substr(0, slash).c_str(), nullptr);
        EXPECT_TRUE(CopyFileA(VersionedDll(dll).c_str(), target.c_str(), FALSE)) << target;
        return target;
    }

    // A class under HKCR\CLSID with a ProgId and an in-process server path.
    void RegisterClass(const std::string& classId, const std::string& progId, const std::string& server) {
        auto tree = std::make_unique<ScopedRegistryTree>(HKEY_CLASSES_ROOT, "CLSID\\" + classId);
        tree->SetString("ProgId", "", progId);
        tree->SetString("InprocServer32", "", server);
        classes.push_back(std::move(tree));
    }

    std::string RefreshError() {
        try {
            engines.Refresh();
        } catch (const Exception& e) {
            return e.Message();
        }
        return "";
    }

    SavedRegistryTree borland{HKEY_LOCAL_MACHINE, kBorland};
    SavedRegistryTree fileList{HKEY_LOCAL_MACHINE, kFileList};
    SavedRegistryTree netFramework{HKEY_LOCAL_MACHINE, kNetFramework};
    SavedRegistryTree sharedDlls{HKEY_LOCAL_MACHINE, kSharedDlls};
    SavedRegistryTree explorer{HKEY_LOCAL_MACHINE, kExplorer};
    SavedRegistryTree internetSettings{HKEY_LOCAL_MACHINE, kInternetSettings};
    SavedRegistryTree directX{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX"};
    std::vector<std::unique_ptr<ScopedRegistryTree>> classes;
    TempFolder temp;
    TVexor_Engines engines{nullptr};
};

std::string SystemFile(const char* name) {
    return GetSystemFolder() + "\\" + name;
}

TEST(Engines, OwnsDirectXThenAspi32) {
    TVexor_Engines engines(nullptr);
    ASSERT_EQ(engines.ComponentCount(), 2u);
    EXPECT_EQ(engines.Components(0), engines.DirectX());
    EXPECT_EQ(engines.Components(1), engines.ASPI32());
    EXPECT_EQ(engines.DirectX()->Name(), "DirectX");
    EXPECT_EQ(engines.ASPI32()->Name(), "ASPI32");
    for (const std::string* text :
         {&engines.ODBC(), &engines.BDE(), &engines.DAO(), &engines.ADO(), &engines.NET(), &engines.OpenGL(),
          &engines.IE(), &engines.MSI(), &engines.QT()})
        EXPECT_TRUE(text->empty());
}

// What a plain Wine prefix offers: its Internet Explorer, Windows Installer,
// OpenGL and ODBC files, and no BDE, .NET, DAO, ADO or QuickTime.
TEST(Engines, ReadsWhatWineHas) {
    TVexor_Engines engines(nullptr);
    engines.Refresh();
    EXPECT_TRUE(engines.DataPresent());
    EXPECT_EQ(engines.IE(), ReadRegistryText(HKEY_LOCAL_MACHINE, kExplorer, "Version"));
    EXPECT_FALSE(engines.IE().empty());
    EXPECT_EQ(engines.MSI(), ReadFileVersion(SystemFile("msi.dll")));
    EXPECT_FALSE(engines.MSI().empty());
    EXPECT_EQ(engines.OpenGL(), ReadFileVersion(SystemFile("opengl32.dll")));
    EXPECT_FALSE(engines.OpenGL().empty());
    EXPECT_EQ(engines.ODBC(), ReadFileVersion(SystemFile("odbc32.dll")));
    EXPECT_FALSE(engines.ODBC().empty());
    EXPECT_EQ(engines.BDE(), "");
    EXPECT_EQ(engines.NET(), "");
    EXPECT_EQ(engines.DAO(), "");
    EXPECT_EQ(engines.ADO(), "");
    EXPECT_EQ(engines.QT(), "");
    EXPECT_FALSE(engines.DirectX()->Version().empty());
}

TEST_F(EnginesTest, BdeLibraryVersionOrItsNumbers) {
    borland.SetString("Database Engine", "DLLPATH", temp.Path());
    engines.Refresh();
    EXPECT_EQ(engines.BDE(), "0.0.0.0"); // no IDAPI32.DLL there

    Copy("ver_bde", "IDAPI32.DLL");
    engines.Refresh();
    EXPECT_EQ(engines.BDE(), "5.2.0.2");

    // "\" is added even after a trailing one; Windows reads the doubled one as one.
    Copy("ver_untranslated", "BDE\\IDAPI32.DLL");
    borland.SetString("Database Engine", "DLLPATH", temp.File("BDE\\"));
    engines.Refresh();
    EXPECT_EQ(engines.BDE(), "5.6.7.8"); // no FileVersion text: the numbers

    // Kept when the value or the key goes.
    borland.DeleteValue("Database Engine", "DLLPATH");
    engines.Refresh();
    EXPECT_EQ(engines.BDE(), "5.6.7.8");
    borland.DeleteTree("");
    engines.Refresh();
    EXPECT_EQ(engines.BDE(), "5.6.7.8");
}

TEST_F(EnginesTest, OdbcFromTheFileListOrTheSystemFolder) {
    fileList.DeleteTree("");
    engines.Refresh();
    const std::string system = ReadFileVersion(SystemFile("ODBC32.DLL"));
    EXPECT_EQ(engines.ODBC(), system);
    EXPECT_FALSE(system.empty());

    fileList.SetString("", "ODBC32.DLL", Copy("ver_odbc", "odbc\\odbc3525.dll"));
    engines.Refresh();
    EXPECT_EQ(engines.ODBC(), "3.525.1117.0");

    // The list without the value keeps the old text; a missing file empties it.
    fileList.DeleteValue("", "ODBC32.DLL");
    fileList.SetString("", "ODBCCP32.DLL", "C:\\x");
    engines.Refresh();
    EXPECT_EQ(engines.ODBC(), "3.525.1117.0");
    fileList.SetString("", "ODBC32.DLL", temp.File("missing.dll"));
    engines.Refresh();
    EXPECT_EQ(engines.ODBC(), "");
}

TEST_F(EnginesTest, NetIsTheGreatestMscorlibVersionInOrdinalOrder) {
    netFramework.SetString("", "InstallRoot", "C:\\WINDOWS\\Microsoft.NET\\Framework\\");
    sharedDlls.SetDword("", Copy("ver_net11", "v1.1.4322\\mscorlib.tlb"), 1);
    sharedDlls.SetDword("", Copy("ver_net20", "v2.0.50727\\MSCORLIB.TLB"), 1);
    sharedDlls.SetDword("", Copy("ver_net10", "v10.0\\mscorlib.tlb"), 1); // "10.0" sorts before "2."
    sharedDlls.SetDword("", Copy("ver_qt", "v2.0.50727\\mscorlib.dll"), 1);
    sharedDlls.SetDword("", temp.File("v9\\mscorlib.tlb"), 1); // missing: empty, replaces nothing
    engines.Refresh();
    EXPECT_EQ(engines.NET(), "2.0.50727.42");

    netFramework.DeleteValue("", "InstallRoot");
    netFramework.SetString("", "Other", "x");
    engines.Refresh();
    EXPECT_EQ(engines.NET(), "");

    netFramework.SetString("", "InstallRoot", "C:\\");
    sharedDlls.DeleteTree("");
    engines.Refresh();
    EXPECT_EQ(engines.NET(), "");
}

TEST_F(EnginesTest, InternetExplorerVersionAndMinorVersionNotes) {
    explorer.SetString("", "Version", "6.0.2900.5512");
    const struct {
        const char* minor; // nullptr: no "MinorVersion" value
        const char* ie;
    } cases[] = {
        {";SP3;", "6.0.2900.5512 (SP3)"},
        {"0", "6.0.2900.5512 (0)"},
        {";;", "6.0.2900.5512 ()"},
        {nullptr, "6.0.2900.5512"},
    };
    for (const auto& c : cases) {
        if (c.minor)
            internetSettings.SetString("", "MinorVersion", c.minor);
        else
            internetSettings.DeleteValue("", "MinorVersion");
        engines.Refresh();
        EXPECT_EQ(engines.IE(), c.ie) << (c.minor ? c.minor : "none");
    }

    internetSettings.SetString("", "MinorVersion", ";SP3;");
    explorer.DeleteValue("", "Version");
    engines.Refresh();
    EXPECT_EQ(engines.IE(), "");

    explorer.SetString("", "Version", "6.0.2900.5512");
    internetSettings.DeleteTree("");
    engines.Refresh();
    EXPECT_EQ(engines.IE(), "6.0.2900.5512");
}

TEST_F(EnginesTest, AllFourClassEnginesFoundStopTheScan) {
    RegisterClass(FirstClassId(1), "DAO.DBEngine.36", Copy("ver_dao", "dao360.dll"));
    RegisterClass(FirstClassId(2), "adodb.connection.2.8", Copy("ver_ado", "ado28.dll"));
    RegisterClass(FirstClassId(3), "WindowsInstaller.Installer", Copy("ver_msi", "installer31.dll"));
    RegisterClass(FirstClassId(4), "QuickTime.QuickTime.4", Copy("ver_qt", "QTPlugin.ocx"));
    RegisterClass(LastClassId(1), "DAO.DBEngine", Copy("ver_net20", "dao350.dll"));
    engines.Refresh();
    EXPECT_EQ(engines.DAO(), "3.60.9756.0");
    EXPECT_EQ(engines.ADO(), "2.81.1117.0");
    EXPECT_EQ(engines.MSI(), "3.1.4000.1823 (xpsp_sp2_rtm)"); // Wine's own installer class is not reached
    EXPECT_EQ(engines.QT(), "7.1.6.200");
}

TEST_F(EnginesTest, WithoutQuickTimeTheScanRunsThroughAndTheLastMatchWins) {
    RegisterClass(FirstClassId(1), "DAO.DBEngine.36", Copy("ver_dao", "dao360.dll"));
    RegisterClass(FirstClassId(2), "ADODB.Connection", Copy("ver_ado", "ado28.dll"));
    RegisterClass(FirstClassId(3), "WindowsInstaller.Installer", Copy("ver_msi", "installer31.dll"));
    RegisterClass(LastClassId(1), "dao.dbengine.35", Copy("ver_net11", "dao350.dll"));
    RegisterClass(LastClassId(2), "QuickTime.QuickTime.7", Copy("ver_qt", "QTPlugin.ocx"));
    engines.Refresh();
    EXPECT_EQ(engines.DAO(), "1.1.4322.573");
    EXPECT_EQ(engines.ADO(), "2.81.1117.0");
    EXPECT_EQ(engines.MSI(), ReadFileVersion(SystemFile("msi.dll"))); // Wine's class comes later
    EXPECT_EQ(engines.QT(), "");

    // A later match whose file has no version text replaces the text too.
    RegisterClass(LastClassId(3), "DAO.DBEngine", Copy("ver_none", "dao.dll"));
    engines.Refresh();
    EXPECT_EQ(engines.DAO(), "");
}

TEST_F(EnginesTest, ServerPathsCountOnlyAsStored) {
    const std::string ado = Copy("ver_ado", "ado28.dll");
    RegisterClass(FirstClassId(1), "adodb.connection", ado);
    RegisterClass(FirstClassId(2), "adodb.connection", "\"" + Copy("ver_net20", "quoted.dll") + "\"");
    RegisterClass(FirstClassId(3), "adodb.connection", "%SystemRoot%\\system32\\msi.dll");
    RegisterClass(FirstClassId(4), "adodb.connection", temp.File("missing.dll"));
    RegisterClass(FirstClassId(5), "adodb.connection", temp.Path()); // a folder
    auto noServer = std::make_unique<ScopedRegistryTree>(HKEY_CLASSES_ROOT, "CLSID\\" + FirstClassId(6));
    noServer->SetString("ProgId", "", "adodb.connection");
    auto noProgId = std::make_unique<ScopedRegistryTree>(HKEY_CLASSES_ROOT, "CLSID\\" + FirstClassId(7));
    noProgId->SetString("InprocServer32", "", Copy("ver_net11", "noprogid.dll"));
    engines.Refresh();
    EXPECT_EQ(engines.ADO(), "2.81.1117.0");
}

TEST_F(EnginesTest, AnErrorKeepsTheValuesSetSoFar) {
    borland.SetString("Database Engine", "DLLPATH", temp.Path());
    Copy("ver_bde", "IDAPI32.DLL");
    explorer.SetDword("", "Version", 6);
    EXPECT_EQ(RefreshError(), "Invalid data type for 'Version'");
    EXPECT_EQ(engines.BDE(), "5.2.0.2"); // set before the error
    EXPECT_EQ(engines.OpenGL(), "");     // after it: not reached
    EXPECT_FALSE(engines.DataPresent());

    // The sub-components go first: their error leaves the engines' own values.
    borland.SetString("Database Engine", "DLLPATH", temp.File("elsewhere"));
    directX.SetDword("", "Version", 9);
    EXPECT_EQ(RefreshError(), "Invalid data type for 'Version'");
    EXPECT_EQ(engines.BDE(), "5.2.0.2");
}

} // namespace
