// The toolkit layer on its own: application title, full-stop rule, error and
// message boxes, busy cursor, and the dispatch that keeps exceptions out of Qt.
#include "ModalWatcher.h"
#include "Toolkit.h"

#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <stdexcept>

class TestToolkit : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { toolkit::InitApplication(); }

    void titleFromExecutable_data();
    void titleFromExecutable();
    void titleOfRunningProgram();
    void fullStop_data();
    void fullStop();
    void errorBox_data();
    void errorBox();
    void messageBox_data();
    void messageBox();
    void busyCursor();
    void dispatch_data();
    void dispatch();
    void eventHandlerGetsSenderAndErrorsAreShown();
};

void TestToolkit::titleFromExecutable_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("bare name") << "NOLVZip" << "Nolvzip";
    QTest::newRow("with folder") << "/usr/local/bin/NOLVZip" << "Nolvzip";
    QTest::newRow("cut at first dot") << "/opt/NOLVZip.exe.old" << "Nolvzip";
    QTest::newRow("dot in folder") << "/opt/a.b/PROG" << "Prog";
    QTest::newRow("lower-case first letter kept") << "nOLV" << "nolv";
    QTest::newRow("accented") << "/x/ÉTÉ.bin" << "Été";
    QTest::newRow("one letter") << "Z" << "Z";
    QTest::newRow("empty") << "" << "";
}

void TestToolkit::titleFromExecutable()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(toolkit::TitleFromExecutable(path), title);
}

void TestToolkit::titleOfRunningProgram()
{
    // This test's executable is tst_toolkit; its first letter stays as it is.
    QCOMPARE(toolkit::ApplicationTitle(), QStringLiteral("tst_toolkit"));
    QVERIFY(!QApplication::windowIcon().isNull());
    QCOMPARE(QApplication::windowIcon().availableSizes().value(0), QSize(32, 32));
}

void TestToolkit::fullStop_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("letter") << QByteArray("Impossible de dézipper le fichier")
                            << QByteArray("Impossible de dézipper le fichier.");
    QTest::newRow("digit") << QByteArray("data1") << QByteArray("data1.");
    QTest::newRow("backslash") << QByteArray("C:\\") << QByteArray("C:\\.");
    QTest::newRow("colon") << QByteArray("a:") << QByteArray("a:.");
    QTest::newRow("question mark") << QByteArray("quoi?") << QByteArray("quoi?.");
    QTest::newRow("slash, just above the dot") << QByteArray("/x/") << QByteArray("/x/.");
    QTest::newRow("accented letter") << QByteArray("terminé") << QByteArray("terminé.");
    QTest::newRow("space") << QByteArray("vers ") << QByteArray("vers ");
    QTest::newRow("dot") << QByteArray("fin.") << QByteArray("fin.");
    QTest::newRow("minus") << QByteArray("a-") << QByteArray("a-");
    QTest::newRow("comma") << QByteArray("a,") << QByteArray("a,");
    QTest::newRow("parenthesis") << QByteArray("(a)") << QByteArray("(a)");
    QTest::newRow("exclamation") << QByteArray("a!") << QByteArray("a!");
}

void TestToolkit::fullStop()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, shown);
    QCOMPARE(QByteArray::fromStdString(toolkit::WithFullStop(text.toStdString())), shown);
}

void TestToolkit::errorBox_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("accented letter") << QByteArray("Impossible de dézipper le fichier")
                                     << QStringLiteral("Impossible de dézipper le fichier.");
    QTest::newRow("trailing space") << QByteArray("Impossible de copier le fichier unZipTemp vers ")
                                    << QStringLiteral("Impossible de copier le fichier unZipTemp vers ");
    QTest::newRow("dot") << QByteArray("Fin.") << QStringLiteral("Fin.");
}

void TestToolkit::errorBox()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, shown);
    BoxSeen seen;
    ModalWatcher watcher([&](QWidget *modal) {
        seen = Inspect(modal);
        static_cast<QDialog *>(modal)->reject();
    });
    toolkit::ShowError(text.toStdString());
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(seen.text, shown);
    QCOMPARE(seen.title, toolkit::ApplicationTitle());
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(seen.cursor, Qt::ArrowCursor);
    QCOMPARE(OverrideShape(), Qt::BitmapCursor);
}

void TestToolkit::messageBox_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestToolkit::messageBox()
{
    QFETCH(int, key);
    BoxSeen seen;
    bool closedByKey = false;
    QPoint screenCentre;
    ModalWatcher watcher([&](QWidget *modal) {
        seen = Inspect(modal);
        screenCentre = modal->screen()->availableGeometry().center();
        QTest::keyClick(modal, Qt::Key(key));
        closedByKey = !modal->isVisible();
        if (!closedByKey)
            static_cast<QDialog *>(modal)->done(0);
    });
    {
        toolkit::BusyCursor busy;
        toolkit::ShowMessage(QStringLiteral("traitement terminé"));
        QCOMPARE(OverrideShape(), Qt::WaitCursor);
    }
    QCOMPARE(watcher.count(), 1);
    QVERIFY(closedByKey);
    QCOMPARE(seen.text, QStringLiteral("traitement terminé"));
    QCOMPARE(seen.title, toolkit::ApplicationTitle());
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(seen.cursor, Qt::ArrowCursor);
    QVERIFY2((seen.centre - screenCentre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("box centre %1,%2").arg(seen.centre.x()).arg(seen.centre.y())));
    QCOMPARE(OverrideShape(), Qt::BitmapCursor);
}

void TestToolkit::busyCursor()
{
    QCOMPARE(OverrideShape(), Qt::BitmapCursor);
    {
        toolkit::BusyCursor busy;
        QCOMPARE(OverrideShape(), Qt::WaitCursor);
    }
    QCOMPARE(OverrideShape(), Qt::BitmapCursor);
    try {
        toolkit::BusyCursor busy;
        throw std::runtime_error("stop");
    } catch (const std::runtime_error &) {
        QCOMPARE(OverrideShape(), Qt::BitmapCursor);
    }
}

void TestToolkit::dispatch_data()
{
    QTest::addColumn<int>("thrown");
    QTest::addColumn<QString>("shown");
    QTest::newRow("nothing") << 0 << QString();
    QTest::newRow("runtime_error") << 1 << QStringLiteral("Échec é.");
    QTest::newRow("logic_error") << 2 << QStringLiteral("faute ");
    QTest::newRow("not a std::exception") << 3 << QString::fromUtf8(toolkit::kUnknownErrorText) + u'.';
}

void TestToolkit::dispatch()
{
    QFETCH(int, thrown);
    QFETCH(QString, shown);
    BoxSeen seen;
    int depthWhileShown = -1;
    ModalWatcher watcher([&](QWidget *modal) {
        seen = Inspect(modal);
        depthWhileShown = OverrideDepth();
        static_cast<QDialog *>(modal)->reject();
    });
    toolkit::Dispatch([thrown] {
        toolkit::BusyCursor busy;
        switch (thrown) {
        case 1: throw std::runtime_error("Échec é");
        case 2: throw std::logic_error("faute ");
        case 3: throw 42;
        }
    });
    QCOMPARE(watcher.count(), shown.isNull() ? 0 : 1);
    QCOMPARE(seen.text, shown);
    if (!shown.isNull()) {
        QCOMPARE(seen.icon, QMessageBox::Critical);
        // Only the box's own arrow: the hourglass was gone before it came up.
        QCOMPARE(depthWhileShown, 1);
    }
    QCOMPARE(OverrideShape(), Qt::BitmapCursor);
}

namespace {
class Receiver : public QObject {
public:
    QObject *sender = nullptr;
    void Click(QObject *Sender)
    {
        sender = Sender;
        throw std::runtime_error("Panne");
    }
};
} // namespace

void TestToolkit::eventHandlerGetsSenderAndErrorsAreShown()
{
    QPushButton button(QStringLiteral("b"));
    Receiver receiver;
    toolkit::OnEvent(&button, &QPushButton::clicked, &receiver, &Receiver::Click);
    BoxSeen seen;
    ModalWatcher watcher([&](QWidget *modal) {
        seen = Inspect(modal);
        static_cast<QDialog *>(modal)->reject();
    });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(receiver.sender, &button);
    QCOMPARE(seen.text, QStringLiteral("Panne."));
}

QTEST_MAIN(TestToolkit)
#include "TestToolkit.moc"
