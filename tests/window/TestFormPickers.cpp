// The four "..." pickers through the one shared file dialog, and the two check
// boxes, on the real window: which fields they fill, after a choice and after
// a cancel, and the current folder after a choice.
#include "ModalWatcher.h"
#include "OpenDialog.h"
#include "Toolkit.h"
#include "ZIPNOLVForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString kDefaultSource = QStringLiteral("C:\\Quarvel\\Database\\data.gdb");
const QString kDefaultRestored = QStringLiteral("C:\\Quarvel\\Database\\dataDezipp.gdb");

QString WithoutAccelerator(QString text)
{
    return text.remove(u'&');
}

} // namespace

class TestFormPickers : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void linkedFields_data();
    void linkedFields();
    void currentFolderAfterChoice_data();
    void currentFolderAfterChoice();
    void dialogSettings();

private:
    QString Expand(const QString &text) const { return QString(text).replace(QLatin1String("%T"), dir_->path()); }
    // Runs one step of a case; see linkedFields_data().
    void Step(const QString &step);
    // Clicks `button` and, in the dialog it opens, chooses `path` or, when `choose` is false,
    // types `path` and cancels.
    void UseDialog(QPushButton *button, bool choose, const QString &path);

    std::unique_ptr<TFormZip> form_;
    std::unique_ptr<QTemporaryDir> dir_;
    QString savedCurrent_;
    int dialogs_ = 0;
};

void TestFormPickers::initTestCase()
{
    toolkit::InitApplication();
    // The dialog speaks the user's language; these tests run with French.
    QVERIFY(toolkit::LoadToolkitTranslations(QLocale(QLocale::French, QLocale::France)));
}

void TestFormPickers::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("x")));
    QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("old.dir")));
    savedCurrent_ = QDir::currentPath();
    form_ = std::make_unique<TFormZip>();
    FormZip = form_.get();
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    dialogs_ = 0;
}

void TestFormPickers::cleanup()
{
    form_.reset();
    QDir::setCurrent(savedCurrent_);
    dir_.reset();
}

void TestFormPickers::UseDialog(QPushButton *button, bool choose, const QString &path)
{
    QString problem;
    ModalWatcher watcher([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog) {
            problem = QStringLiteral("not a file dialog: %1").arg(QString::fromLatin1(modal->metaObject()->className()));
            modal->close();
            return;
        }
        if (dialog != form_->OpenDialog1)
            problem = QStringLiteral("not the shared dialog");
        // As the user types a name into the dialog's name field.
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        else
            problem = QStringLiteral("no name field");
        auto *asDialog = static_cast<QDialog *>(dialog);
        if (choose)
            asDialog->accept();
        else
            asDialog->reject();
        if (dialog->isVisible()) {
            problem = QStringLiteral("the dialog did not close");
            asDialog->done(QDialog::Rejected);
        }
    });
    form_->PageControl1->setCurrentWidget(button->parentWidget()->inherits("QGroupBox")
                                              ? button->parentWidget()->parentWidget()
                                              : button->parentWidget());
    QTest::mouseClick(button, Qt::LeftButton);
    dialogs_ += watcher.count();
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(watcher.count(), 1);
}

void TestFormPickers::Step(const QString &step)
{
    const QString verb = step.section(u' ', 0, 0);
    const QString name = step.section(u' ', 1, 1);
    const QString argument = Expand(step.section(u' ', 2));
    auto *widget = form_->findChild<QWidget *>(name);
    QVERIFY2(widget, qPrintable(step));
    auto *box = qobject_cast<QCheckBox *>(widget);
    if (verb == QLatin1String("click")) {
        QVERIFY(box);
        form_->PageControl1->setCurrentWidget(box->parentWidget()->parentWidget());
        QTest::mouseClick(box, Qt::LeftButton);
    } else if (verb == QLatin1String("space")) {
        QVERIFY(box);
        form_->PageControl1->setCurrentWidget(box->parentWidget()->parentWidget());
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
    } else if (verb == QLatin1String("set")) {
        QVERIFY(box);
        box->setChecked(argument == QLatin1String("1"));
    } else if (verb == QLatin1String("type")) {
        auto *edit = qobject_cast<QLineEdit *>(widget);
        QVERIFY(edit);
        edit->setFocus();
        edit->selectAll();
        if (argument.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClicks(edit, argument);
    } else if (verb == QLatin1String("pick") || verb == QLatin1String("cancel")) {
        auto *button = qobject_cast<QPushButton *>(widget);
        QVERIFY(button);
        UseDialog(button, verb == QLatin1String("pick"), argument);
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown step: ") + step));
    }
}

void TestFormPickers::linkedFields_data()
{
    // Steps: "click CB" and "space CB" change a check box as the user does,
    // "set CB 0|1" as the program does; "type Edit text" types into a field;
    // "pick Button path" chooses path in the dialog, "cancel Button path" types
    // path into the dialog and cancels. %T is a temporary folder holding the
    // folders x and old.dir and no file.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("fields"); // EditFileToZip, EditZipFileName, EditFileToUnZip, EditFileUnzip
    QTest::addColumn<bool>("toFloppy");
    QTest::addColumn<bool>("fromFloppy");

    const QString source = kDefaultSource;
    const QString restored = kDefaultRestored;
    const QString archive = QStringLiteral("C:\\Quarvel\\Database\\data.nolvzip");

    QTest::newRow("defaults") << QStringList{} << QStringList{source, "", "", restored} << true << true;
    QTest::newRow("uncheck vers disquette by mouse")
        << QStringList{"click CBToFloppy"} << QStringList{source, archive, "", restored} << false << true;
    QTest::newRow("uncheck vers disquette by space")
        << QStringList{"space CBToFloppy"} << QStringList{source, archive, "", restored} << false << true;
    QTest::newRow("check vers disquette again empties the archive name")
        << QStringList{"click CBToFloppy", "space CBToFloppy"} << QStringList{source, "", "", restored} << true
        << true;
    QTest::newRow("program setting a box runs no handler")
        << QStringList{"set CBToFloppy 0", "type EditFileToUnZip a.nolvzip", "set CBFromFloppy 0",
                       "set CBFromFloppy 1"}
        << QStringList{source, "", "a.nolvzip", restored} << false << true;
    QTest::newRow("empty source gives .nolvzip")
        << QStringList{"type EditFileToZip ", "click CBToFloppy"} << QStringList{"", ".nolvzip", "", restored}
        << false << true;

    QTest::newRow("pick source with vers disquette checked")
        << QStringList{"pick BtnChooseFile %T/x/base.gdb"} << QStringList{"%T/x/base.gdb", "", "", restored}
        << true << true;
    QTest::newRow("pick source with vers disquette unchecked")
        << QStringList{"click CBToFloppy", "pick BtnChooseFile %T/x/base.gdb"}
        << QStringList{"%T/x/base.gdb", "%T/x/base.nolvzip", "", restored} << false << true;
    QTest::newRow("source without extension, dot in folder name")
        << QStringList{"click CBToFloppy", "pick BtnChooseFile %T/old.dir/data"}
        << QStringList{"%T/old.dir/data", "%T/old.dir/data.nolvzip", "", restored} << false << true;
    QTest::newRow("cancel source picker with vers disquette checked")
        << QStringList{"cancel BtnChooseFile %T/x/ignored.gdb"} << QStringList{source, "", "", restored} << true
        << true;
    QTest::newRow("cancel source picker unchecked replaces a typed archive name")
        << QStringList{"click CBToFloppy", "type EditZipFileName mine.zip", "cancel BtnChooseFile %T/x/ignored.gdb"}
        << QStringList{source, archive, "", restored} << false << true;
    QTest::newRow("pick archive name, no extension added")
        << QStringList{"pick Button2 %T/x/archive"} << QStringList{source, "%T/x/archive", "", restored} << true
        << true;
    QTest::newRow("pick archive name in a folder that does not exist")
        << QStringList{"pick Button2 %T/nouveau/data.nolvzip"}
        << QStringList{source, "%T/nouveau/data.nolvzip", "", restored} << true << true;
    QTest::newRow("cancel archive name picker")
        << QStringList{"type EditZipFileName garde.nolvzip", "cancel Button2 %T/x/ignored"}
        << QStringList{source, "garde.nolvzip", "", restored} << true << true;
    QTest::newRow("each picker presets the dialog from its own field")
        << QStringList{"pick Button2 %T/x/a.nolvzip", "cancel BtnChooseFile %T/x/ignored"}
        << QStringList{source, "%T/x/a.nolvzip", "", restored} << true << true;

    QTest::newRow("pick archive to unzip with Depuis disquette checked")
        << QStringList{"pick Button3 %T/x/data.nolvzip"} << QStringList{source, "", "%T/x/data.nolvzip", restored}
        << true << true;
    QTest::newRow("pick archive to unzip unchecked drops the extension")
        << QStringList{"click CBFromFloppy", "pick Button3 %T/x/data.nolvzip"}
        << QStringList{source, "", "%T/x/data.nolvzip", "%T/x/data"} << true << false;
    QTest::newRow("only the last extension is dropped")
        << QStringList{"click CBFromFloppy", "pick Button3 %T/x/data.gdb.nolvzip"}
        << QStringList{source, "", "%T/x/data.gdb.nolvzip", "%T/x/data.gdb"} << true << false;
    QTest::newRow("dot in folder name is no extension")
        << QStringList{"space CBFromFloppy", "pick Button3 %T/old.dir/data"}
        << QStringList{source, "", "%T/old.dir/data", "%T/old.dir/data"} << true << false;
    QTest::newRow("uncheck Depuis disquette leaves the archive field empty")
        << QStringList{"click CBFromFloppy"} << QStringList{source, "", "", restored} << true << false;
    QTest::newRow("uncheck Depuis disquette keeps a typed archive")
        << QStringList{"type EditFileToUnZip a.nolvzip", "click CBFromFloppy"}
        << QStringList{source, "", "a.nolvzip", restored} << true << false;
    QTest::newRow("check Depuis disquette again empties the archive field")
        << QStringList{"click CBFromFloppy", "type EditFileToUnZip a.nolvzip", "space CBFromFloppy"}
        << QStringList{source, "", "", restored} << true << true;
    QTest::newRow("cancel on an empty archive field loses the restored path")
        << QStringList{"click CBFromFloppy", "cancel Button3 %T/x/ignored.nolvzip"}
        << QStringList{source, "", "", ""} << true << false;
    QTest::newRow("cancel archive picker with Depuis disquette checked")
        << QStringList{"cancel Button3 %T/x/ignored.nolvzip"} << QStringList{source, "", "", restored} << true
        << true;
    QTest::newRow("pick restored path")
        << QStringList{"pick Button1 %T/x/restauré.gdb"} << QStringList{source, "", "", "%T/x/restauré.gdb"} << true
        << true;
    QTest::newRow("cancel restored path picker")
        << QStringList{"cancel Button1 %T/x/ignored.gdb"} << QStringList{source, "", "", restored} << true << true;

    QTest::newRow("typing a source changes nothing else")
        << QStringList{"click CBToFloppy", "click CBFromFloppy", "type EditFileToZip %T/x/autre.gdb",
                       "type EditFileToUnZip %T/x/autre.nolvzip"}
        << QStringList{"%T/x/autre.gdb", archive, "%T/x/autre.nolvzip", restored} << false << false;
}

void TestFormPickers::linkedFields()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, fields);
    QFETCH(bool, toFloppy);
    QFETCH(bool, fromFloppy);
    for (const QString &step : steps) {
        Step(step);
        if (QTest::currentTestFailed())
            return;
    }
    const QStringList actual{form_->EditFileToZip->text(), form_->EditZipFileName->text(),
                             form_->EditFileToUnZip->text(), form_->EditFileUnzip->text()};
    QStringList expected;
    for (const QString &field : fields)
        expected << Expand(field);
    QCOMPARE(actual, expected);
    QCOMPARE(form_->CBToFloppy->isChecked(), toFloppy);
    QCOMPARE(form_->CBFromFloppy->isChecked(), fromFloppy);
}

void TestFormPickers::currentFolderAfterChoice_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("current");
    QTest::newRow("choice") << "pick Button1 %T/x/r.gdb" << "%T/x";
    QTest::newRow("choice of a new folder's file") << "pick Button2 %T/nouveau/a.nolvzip" << "%T";
    QTest::newRow("cancel") << "cancel Button1 %T/x/r.gdb" << "%T";
}

void TestFormPickers::currentFolderAfterChoice()
{
    QFETCH(QString, step);
    QFETCH(QString, current);
    QVERIFY(QDir::setCurrent(dir_->path()));
    Step(step);
    QCOMPARE(QDir::current().canonicalPath(), QDir(Expand(current)).canonicalPath());
}

void TestFormPickers::dialogSettings()
{
    toolkit::OpenDialog *dialog = form_->OpenDialog1;
    QCOMPARE(form_->findChild<QFileDialog *>(QStringLiteral("OpenDialog1")), dialog);
    QCOMPARE(dialog->fileMode(), QFileDialog::AnyFile);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
    QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
    QVERIFY(!dialog->testOption(QFileDialog::ReadOnly));
    QVERIFY(dialog->defaultSuffix().isEmpty());
    QVERIFY(dialog->nameFilters().size() <= 1);
    QVERIFY(dialog->isSizeGripEnabled());

    // No initial folder of its own: a relative name counts from the current folder.
    QVERIFY(QDir::setCurrent(dir_->filePath(QStringLiteral("x"))));
    QString title, open, cancel, folder;
    ModalWatcher watcher([&](QWidget *modal) {
        auto *shown = static_cast<QFileDialog *>(modal);
        title = shown->windowTitle();
        folder = shown->directory().canonicalPath();
        if (auto *buttons = shown->findChild<QDialogButtonBox *>()) {
            if (QPushButton *b = buttons->button(QDialogButtonBox::Open))
                open = WithoutAccelerator(b->text());
            if (QPushButton *b = buttons->button(QDialogButtonBox::Cancel))
                cancel = WithoutAccelerator(b->text());
        }
        shown->reject();
    });
    form_->PageControl1->setCurrentIndex(1);
    QTest::mouseClick(form_->Button1, Qt::LeftButton);
    QCOMPARE(watcher.count(), 1);
    QCOMPARE(folder, QDir::current().canonicalPath());
    QCOMPARE(title, QStringLiteral("Ouvrir"));
    QCOMPARE(open, QStringLiteral("Ouvrir"));
    QCOMPARE(cancel, QStringLiteral("Annuler"));
}

QTEST_MAIN(TestFormPickers)
#include "TestFormPickers.moc"
