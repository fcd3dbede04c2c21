#pragma once
// The application object: its title, the list of its forms (newest last),
// and the standard error box that shows whatever error escapes a command.
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
};

TApplication& Application();

// The error box itself (a message box on Windows).
void ShowErrorBox(const std::string& text, const std::string& caption);
