#pragma once
// The platform's open and save dialogs, each remembering the name last
// confirmed in it.
#include <windows.h>
#include <commdlg.h>

#include <string>

class TFileDialog {
public:
    enum class Kind { Open, Save };

    TFileDialog(Kind kind, std::string title, std::string filter, std::string defaultExt,
                std::string fileName, DWORD options);

    // Shows the dialog; true when the user confirmed a name, which FileName
    // then holds. Cancelling changes nothing.
    bool Execute(HWND owner);

    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string name) { fileName_ = std::move(name); }
    const std::string& Title() const { return title_; }
    const std::string& Filter() const { return filter_; }

    // The dialog record as Execute passes it; buffer receives the file name
    // and must hold MAX_PATH characters. The filter text's "|" become NULs.
    OPENFILENAMEA Describe(HWND owner, char* buffer, std::string& filterStorage) const;

private:
    Kind kind_;
    std::string title_;
    std::string filter_;
    std::string defaultExt_;
    std::string fileName_;
    DWORD options_;
};
