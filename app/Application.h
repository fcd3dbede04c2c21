#pragma once
// The application object: its title, and the standard error box that shows
// whatever error escapes a command.
#include <functional>
#include <string>

class TApplication {
public:
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    // Runs one command; an error escaping it ends the command and is shown in
    // the error box. The program goes on with the state the command left.
    template <typename Command> void Run(Command&& command) {
        try {
            command();
        } catch (const std::exception& error) {
            ShowException(error.what());
        }
    }

    // The error box: the message (with the "." rule), captioned by the title,
    // error icon and OK.
    void ShowException(const std::string& message);

    // Where error boxes go instead of the screen (tests); empty restores the box.
    using ErrorSink = std::function<void(const std::string& text, const std::string& caption)>;
    void SetErrorSink(ErrorSink sink) { sink_ = std::move(sink); }

private:
    std::string title_;
    ErrorSink sink_;
};

TApplication& Application();
