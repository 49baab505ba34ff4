#pragma once

#include <QApplication>
#include <QFont>
#include <concepts>
#include <exception>
#include <utility>

namespace platform {

// The application of both programs. An exception that escapes an event handler is shown as its
// message in an error box and the program goes on. Creating it loads Qt's Czech texts for the
// standard buttons and substitutes a fitting sans font where "MS Sans Serif" is missing.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The default error box: the exception's message under the caption "Chyba".
void ReportError(const std::exception& error);

// A handler that shows its exceptions in the default error box itself. Qt's widget code is built
// without exception cleanup, so an exception that unwinds through it on its way to notify() leaks
// and may leave a widget half-updated; handlers of widget signals that can fail are connected
// through this instead:
//     connect(button, &QPushButton::clicked, this, ReportingErrors([this] { Save(); }));
template <typename Handler> auto ReportingErrors(Handler handler) {
    return [handler = std::move(handler)]<typename... Args>(
        Args && ... args) requires std::invocable<Handler&, Args...> {
        try {
            handler(std::forward<Args>(args)...);
        } catch (const std::exception& error) {
            ReportError(error);
        }
    };
}

// The font of the fixed window layouts: "MS Sans Serif" at the given pixel height.
QFont LayoutFont(int pixelHeight, bool bold = false);

} // namespace platform
