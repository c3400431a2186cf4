#include "Toolkit.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>

#include <exception>

#include "nolvzip.xpm"

namespace toolkit {

const char *const kUnknownErrorText = "Erreur inconnue";

namespace {

QString &Title()
{
    static QString title;
    return title;
}

// A message box that places itself in the middle of its screen rather than
// over the window that is active.
class CenteredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        if (const QScreen *s = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            move(frame.topLeft());
        }
    }
};

} // namespace

int ExecModal(QDialog &dialog)
{
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = dialog.exec();
    QApplication::restoreOverrideCursor();
    return result;
}

QString TitleFromExecutable(const QString &executablePath)
{
    QString name = QFileInfo(executablePath).fileName();
    name.truncate(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
    return name.left(1) + name.mid(1).toLower();
}

void InitApplication()
{
    // Only our own dialogs carry the title: Qt's display name would be
    // appended to every window caption, "NOLV ZIP" included.
    Title() = TitleFromExecutable(QCoreApplication::applicationFilePath());
    QApplication::setWindowIcon(QIcon(QPixmap(nolvzip_xpm)));
    // The layout counts a group box's fields from its outer corner with the
    // caption on the frame line; Fusion draws the frame below the caption,
    // through the fields, while the classic style draws it as designed.
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Windows")))
        QApplication::setStyle(style);
}

QString ApplicationTitle()
{
    return Title();
}

bool LoadToolkitTranslations(const QLocale &locale)
{
    // Lives as long as the application; a second call replaces the first.
    static QTranslator *translator = nullptr;
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
    auto *candidate = new QTranslator(qApp);
    if (!candidate->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete candidate;
        return false;
    }
    QCoreApplication::installTranslator(candidate);
    translator = candidate;
    return true;
}

QFont FormFont()
{
    // Liberation Sans comes closest in width to the designed font, so every
    // caption keeps within its designed place; Qt's own choice is wider.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

std::string WithFullStop(const std::string &text)
{
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        return text + '.';
    return text;
}

void ShowError(const std::string &text)
{
    CenteredMessageBox box(QMessageBox::Critical, ApplicationTitle(), QString::fromStdString(WithFullStop(text)),
                           QMessageBox::Ok);
    ExecModal(box);
}

void ShowMessage(const QString &text)
{
    CenteredMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), text, QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    ExecModal(box);
}

BusyCursor::BusyCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    QApplication::restoreOverrideCursor();
}

void Dispatch(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const std::exception &error) {
        ShowError(error.what());
    } catch (...) {
        ShowError(kUnknownErrorText);
    }
}

} // namespace toolkit
