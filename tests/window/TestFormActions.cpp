// "Zipper" and "Dézipper" on the real window with the real archive library:
// round trips through a named archive and through drive A:, the completion
// box, the error box of a failing operation, and the cursor around them.
#include "ModalWatcher.h"
#include "ProgramFolder.h"
#include "Toolkit.h"
#include "ZIPNOLVForm.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// The fields and boxes that the user sees, to compare before and after a click.
struct FormState {
    QStringList texts;
    bool toFloppy;
    bool fromFloppy;
    int page;
    bool operator==(const FormState &) const = default;
};

FormState StateOf(const TFormZip &form)
{
    return {{form.EditFileToZip->text(), form.EditZipFileName->text(), form.EditFileToUnZip->text(),
             form.EditFileUnzip->text()},
            form.CBToFloppy->isChecked(),
            form.CBFromFloppy->isChecked(),
            form.PageControl1->currentIndex()};
}

QByteArray SomeContent()
{
    QByteArray bytes;
    for (int i = 0; i < 200000; ++i)
        bytes.append(char((i * 7919) % 251));
    return bytes + "fin de la base\n";
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestFormActions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { toolkit::InitApplication(); }
    void init();
    void cleanup();

    void roundTripThroughNamedArchive_data();
    void roundTripThroughNamedArchive();
    void roundTripThroughDriveA();
    void failingOperationShowsError_data();
    void failingOperationShowsError();

private:
    // Clicks `button` and closes each box that comes up with `key`; returns what the boxes showed.
    QList<BoxSeen> Click(QPushButton *button, Qt::Key key = Qt::Key_Return);

    std::unique_ptr<TFormZip> form_;
    std::unique_ptr<QTemporaryDir> dir_;
    QString savedCurrent_;
};

void TestFormActions::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    savedCurrent_ = QDir::currentPath();
    form_ = std::make_unique<TFormZip>();
    FormZip = form_.get();
    form_->show();
}

void TestFormActions::cleanup()
{
    form_.reset();
    QDir::setCurrent(savedCurrent_);
    dir_.reset();
    qunsetenv("BACKUP_DRIVE_A");
}

QList<BoxSeen> TestFormActions::Click(QPushButton *button, Qt::Key key)
{
    QList<BoxSeen> seen;
    ModalWatcher watcher([&](QWidget *modal) {
        BoxSeen box = Inspect(modal);
        QTest::keyClick(modal, key);
        if (modal->isVisible()) {
            box.text += QStringLiteral(" [not closed by the key]");
            static_cast<QDialog *>(modal)->done(0);
        }
        seen << box;
    });
    form_->PageControl1->setCurrentWidget(button->parentWidget());
    QTest::mouseClick(button, Qt::LeftButton);
    return seen;
}

void TestFormActions::roundTripThroughNamedArchive_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("closed with Return") << int(Qt::Key_Return);
    QTest::newRow("closed with Enter") << int(Qt::Key_Enter);
    QTest::newRow("closed with Escape") << int(Qt::Key_Escape);
}

void TestFormActions::roundTripThroughNamedArchive()
{
    QFETCH(int, key);
    // Paths with accented letters reach the library as UTF-8.
    const QString source = dir_->filePath(QStringLiteral("données.gdb"));
    const QString archive = dir_->filePath(QStringLiteral("sauvé.nolvzip"));
    const QString restored = dir_->filePath(QStringLiteral("restauré.gdb"));
    const QByteArray content = SomeContent();
    QVERIFY(WriteFile(source, content));

    form_->EditFileToZip->setText(source);
    form_->CBToFloppy->setChecked(false);
    form_->EditZipFileName->setText(archive);
    const QList<BoxSeen> zipped = Click(form_->BtnZip, Qt::Key(key));
    QCOMPARE(zipped.size(), 1);
    QCOMPARE(zipped[0].text, QStringLiteral("traitement terminé"));
    QCOMPARE(zipped[0].title, toolkit::ApplicationTitle());
    QCOMPARE(zipped[0].icon, QMessageBox::NoIcon);
    QCOMPARE(zipped[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    // The box's arrow over the hourglass of the running handler.
    QCOMPARE(zipped[0].cursor, Qt::ArrowCursor);
    QCOMPARE(zipped[0].cursorDepth, 2);
    QCOMPARE(OverrideShape(), Qt::BitmapCursor);
    QVERIFY(QFile::exists(archive));
    QVERIFY(ReadFile(archive) != content);

    form_->CBFromFloppy->setChecked(false);
    form_->EditFileToUnZip->setText(archive);
    form_->EditFileUnzip->setText(restored);
    const QList<BoxSeen> unzipped = Click(form_->BtnUnZip, Qt::Key(key));
    QCOMPARE(unzipped.size(), 1);
    QCOMPARE(unzipped[0].text, QStringLiteral("traitement terminé"));
    QCOMPARE(unzipped[0].cursor, Qt::ArrowCursor);
    QCOMPARE(OverrideShape(), Qt::BitmapCursor);
    QCOMPARE(ReadFile(restored), content);
}

void TestFormActions::roundTripThroughDriveA()
{
    const QString drive = dir_->filePath(QStringLiteral("floppy"));
    QVERIFY(QDir().mkpath(drive));
    qputenv("BACKUP_DRIVE_A", QFile::encodeName(drive));
    const QString source = dir_->filePath(QStringLiteral("data.gdb"));
    const QString ignoredArchive = dir_->filePath(QStringLiteral("ignored.nolvzip"));
    const QString restored = dir_->filePath(QStringLiteral("dataDezipp.gdb"));
    const QByteArray content = SomeContent();
    QVERIFY(WriteFile(source, content));

    // The check boxes' defaults: to and from drive A:.
    QVERIFY(form_->CBToFloppy->isChecked());
    QVERIFY(form_->CBFromFloppy->isChecked());
    form_->EditFileToZip->setText(source);
    form_->EditZipFileName->setText(ignoredArchive);
    const QList<BoxSeen> zipped = Click(form_->BtnZip);
    QCOMPARE(zipped.size(), 1);
    QCOMPARE(zipped[0].text, QStringLiteral("traitement terminé"));
    QVERIFY(!QFile::exists(ignoredArchive));
    QVERIFY(!QFile::exists(QString::fromStdString(ProgramFolder()) + QStringLiteral("ziptemp")));
    QVERIFY(!QDir(drive).isEmpty());

    QVERIFY(QFile::remove(source));
    form_->EditFileUnzip->setText(restored);
    const QList<BoxSeen> unzipped = Click(form_->BtnUnZip);
    QCOMPARE(unzipped.size(), 1);
    QCOMPARE(unzipped[0].text, QStringLiteral("traitement terminé"));
    QCOMPARE(ReadFile(restored), content);
}

void TestFormActions::failingOperationShowsError_data()
{
    QTest::addColumn<bool>("zip");
    QTest::addColumn<QString>("source");      // file to zip, or archive to unzip
    QTest::addColumn<QString>("destination"); // archive to write, or path to restore
    QTest::addColumn<QString>("shown");       // "%1" stands for the temporary folder
    QTest::newRow("zip: missing source, full stop after the accented message")
        << true << "absent.gdb" << "%1/a.nolvzip" << QStringLiteral("Impossible de dézipper le fichier.");
    QTest::newRow("unzip: damaged archive, message ends in a path")
        << false << "%1/damaged.nolvzip" << "%1/r.gdb"
        << QStringLiteral("Impossible de dézipper le fichier %1/damaged.nolvzip en %1/r.gdbunZipTemp.");
    QTest::newRow("unzip: empty restored path, message ends in a space")
        << false << "%1/good.nolvzip" << ""
        << QStringLiteral("Impossible de copier le fichier unZipTemp vers ");
}

void TestFormActions::failingOperationShowsError()
{
    QFETCH(bool, zip);
    QFETCH(QString, source);
    QFETCH(QString, destination);
    QFETCH(QString, shown);
    const QString tmp = dir_->path();
    // Relative paths, "unZipTemp" among them, land in the temporary folder.
    QDir::setCurrent(tmp);
    QVERIFY(WriteFile(dir_->filePath(QStringLiteral("damaged.nolvzip")), "pas une archive"));
    QVERIFY(WriteFile(dir_->filePath(QStringLiteral("data.gdb")), SomeContent()));
    form_->EditFileToZip->setText(dir_->filePath(QStringLiteral("data.gdb")));
    form_->CBToFloppy->setChecked(false);
    form_->EditZipFileName->setText(dir_->filePath(QStringLiteral("good.nolvzip")));
    QCOMPARE(Click(form_->BtnZip).size(), 1);

    if (zip) {
        form_->EditFileToZip->setText(QString(source).replace(QLatin1String("%1"), tmp));
        form_->EditZipFileName->setText(QString(destination).replace(QLatin1String("%1"), tmp));
    } else {
        form_->CBFromFloppy->setChecked(false);
        form_->EditFileToUnZip->setText(QString(source).replace(QLatin1String("%1"), tmp));
        form_->EditFileUnzip->setText(QString(destination).replace(QLatin1String("%1"), tmp));
    }
    form_->PageControl1->setCurrentIndex(zip ? 0 : 1);
    const FormState before = StateOf(*form_);
    const QList<BoxSeen> boxes = Click(zip ? form_->BtnZip : form_->BtnUnZip);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].text, shown.replace(QLatin1String("%1"), tmp));
    QCOMPARE(boxes[0].title, toolkit::ApplicationTitle());
    QCOMPARE(boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    // Only the box's own arrow: the hourglass was reset before the error came up.
    QCOMPARE(boxes[0].cursor, Qt::ArrowCursor);
    QCOMPARE(boxes[0].cursorDepth, 1);
    QCOMPARE(OverrideShape(), Qt::BitmapCursor);
    QVERIFY(StateOf(*form_) == before);
    QVERIFY(form_->isVisible());
}

QTEST_MAIN(TestFormActions)
#include "TestFormActions.moc"
