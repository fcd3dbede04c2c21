#pragma once
// The application object: its title, the list of its forms (newest last),
// and the standard error box that shows whatever error escapes a command.
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

class TCustomForm;

class TApplication {
public:
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    size_t FormCount() const { return forms_.size(); }
    TCustomForm* Forms(size_t index) const { return forms_[index]; }
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);

    // Runs one command; an error escaping it ends the command and is shown in
    // the error box. The program goes on with the state the command left.
    template <typename Command> void Run(Command&& command) {
        try {
            command();
        } catch (const std::exception& error) {
            ShowException(error.what());
        }
    }

    // Hooks on the messages of the application's main window (the main
    // form's): each sees a message before the form handles it, newest first;
    // one that returns true has answered it (result) and the form does not.
    using TMainWindowHook =
        std::function<bool(unsigned message, uintptr_t wParam, intptr_t lParam, intptr_t& result)>;
    // Returns the hook's number, for removing it.
    int HookMainWindow(TMainWindowHook hook);
    void UnhookMainWindow(int number);
    size_t MainWindowHookCount() const { return hooks_.size(); }
    // The main form offers a message to the hooks; true when one answered it.
    bool MainWindowMessage(unsigned message, uintptr_t wParam, intptr_t lParam, intptr_t& result);

    // The error box: the message (with ExceptionText's rule), captioned by
    // the title, error icon and OK.
    void ShowException(const std::string& message);
    // A "." is added when the message's last character is above ".".
    static std::string ExceptionText(const std::string& message);

    // Where error boxes go instead of the screen (tests); empty restores the box.
    using ErrorSink = std::function<void(const std::string& text, const std::string& caption)>;
    void SetErrorSink(ErrorSink sink) { sink_ = std::move(sink); }

private:
    std::string title_;
    std::vector<TCustomForm*> forms_;
    ErrorSink sink_;
    struct THook {
        int Number;
        TMainWindowHook Hook;
    };
    std::vector<THook> hooks_;
    int lastHook_ = 0;
};

TApplication& Application();

// The error box itself (a message box on Windows).
void ShowErrorBox(const std::string& text, const std::string& caption);
