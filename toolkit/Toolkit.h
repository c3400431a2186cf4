// What the window asks of the platform, over Qt: the application's title, its
// central error display, the modal message dialog, the application-wide busy
// cursor, and the dispatch of widget events to handlers that may throw.
#pragma once

#include <QFont>
#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QDialog;
class QLocale;

namespace toolkit {

// The executable's file name without folder, cut at its first ".", every
// character after the first in lower case: /opt/bin/NOLVZip gives "Nolvzip".
QString TitleFromExecutable(const QString &executablePath);

// Sets up the running application: its title (from its executable), icon and look.
void InitApplication();
QString ApplicationTitle();

// Loads Qt's own translations for `locale`, so that the toolkit's dialogs speak
// the user's language. Returns whether a translation was found.
bool LoadToolkitTranslations(const QLocale &locale);

// The window's font: "MS Sans Serif" at 11 pixels, or a substitute with close metrics.
QFont FormFont();

// The central error display's text: a full stop is added when the text is not
// empty and its last byte is above ".", so letters (accented ones included),
// digits and most punctuation get one, and " ", ".", "-", ",", ")" or "!" not.
std::string WithFullStop(const std::string &text);

// Shown for an error that carries no text of its own.
extern const char *const kUnknownErrorText;

// Runs `dialog` modally with the normal arrow, even under the hourglass,
// and returns its result.
int ExecModal(QDialog &dialog);

// Modal error box: error icon, the title as caption, one "OK".
void ShowError(const std::string &text);

// Modal message box without icon, centred on the screen, captioned with the
// title, with one "OK" that Enter and Escape both press.
void ShowMessage(const QString &text);

// Hourglass over every window of the program for the guard's lifetime; the
// destructor puts the default back, on an error too, before it is shown.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// Runs `handler` and hands any error leaving it to the central error display:
// an exception must not unwind through Qt's event loop.
void Dispatch(const std::function<void()> &handler);

// Connects `signal` of `sender` to `handler`, which receives the sender, through Dispatch.
template <typename Sender, typename Signal, typename Receiver>
QMetaObject::Connection OnEvent(Sender *sender, Signal signal, Receiver *receiver,
                                void (Receiver::*handler)(QObject *))
{
    return QObject::connect(sender, signal, receiver,
                            [sender, receiver, handler] { Dispatch([&] { (receiver->*handler)(sender); }); });
}

} // namespace toolkit
