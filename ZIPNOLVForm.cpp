#include "ZIPNOLVForm.h"

#include "OpenDialog.h"
#include "PathRules.h"
#include "ProgramFolder.h"
#include "Toolkit.h"
#include "UnzipOperation.h"
#include "ZipOperation.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include <limits>

TFormZip *FormZip = nullptr;

namespace {

QString WithExtension(const QString &path, const char *extension)
{
    return QString::fromStdString(paths::ChangeExtension(path.toStdString(), extension));
}

QString ArchiveName(const QString &path)
{
    return WithExtension(path, ".nolvzip");
}

QString RestoredName(const QString &path)
{
    return WithExtension(path, "");
}

// Components keep their designed place and size; nothing is laid out.
template <typename Widget>
Widget *Place(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

QLabel *PlaceLabel(QWidget *parent, const char *name, int left, int top, const QString &caption)
{
    auto *label = Place<QLabel>(parent, name, left, top, 0, 0);
    label->setText(caption);
    label->setTextFormat(Qt::PlainText);
    label->adjustSize();
    return label;
}

QLineEdit *PlaceEdit(QWidget *parent, const char *name, int left, int top, int width, const QString &text)
{
    auto *edit = Place<QLineEdit>(parent, name, left, top, width, 21);
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setText(text);
    return edit;
}

QPushButton *PlaceButton(QWidget *parent, const char *name, int left, int top, int width, int height,
                         const QString &caption)
{
    auto *button = Place<QPushButton>(parent, name, left, top, width, height);
    button->setText(caption);
    button->setAutoDefault(false);
    return button;
}

QCheckBox *PlaceCheckBox(QWidget *parent, const char *name, int left, int top, const QString &caption)
{
    auto *box = Place<QCheckBox>(parent, name, left, top, 137, 17);
    box->setText(caption);
    box->setChecked(true);
    return box;
}

QGroupBox *PlaceGroupBox(QWidget *parent, const char *name, int left, int top, const QString &caption)
{
    auto *box = Place<QGroupBox>(parent, name, left, top, 417, 73);
    box->setTitle(caption);
    return box;
}

} // namespace

TFormZip::TFormZip(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FormZip"));
    setWindowTitle(QStringLiteral("NOLV ZIP"));
    setFont(toolkit::FormFont());

    // The components sit on a content widget as large as their extent; the
    // scroll area shows scroll bars only when the window gets smaller than that.
    auto *content = new QWidget;
    content->setFixedSize(450, 193);
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setFocusPolicy(Qt::NoFocus);
    scrollArea_->setWidget(content);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollArea_);

    PageControl1 = Place<QTabWidget>(content, "PageControl1", 8, 8, 442, 185);

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, QStringLiteral("ZIP"));
    Label1 = PlaceLabel(TabSheet1, "Label1", 10, 19, QStringLiteral("Fichier à zipper"));
    EditFileToZip = PlaceEdit(TabSheet1, "EditFileToZip", 91, 16, 294, QStringLiteral("C:\\Quarvel\\Database\\data.gdb"));
    BtnChooseFile = PlaceButton(TabSheet1, "BtnChooseFile", 385, 16, 25, 20, QStringLiteral("..."));
    BtnZip = PlaceButton(TabSheet1, "BtnZip", 280, 128, 75, 25, QStringLiteral("Zipper"));
    GroupBox1 = PlaceGroupBox(TabSheet1, "GroupBox1", 8, 48, QStringLiteral("Fichier zippé"));
    CBToFloppy = PlaceCheckBox(GroupBox1, "CBToFloppy", 88, 48, QStringLiteral("vers disquette"));
    EditZipFileName = PlaceEdit(GroupBox1, "EditZipFileName", 84, 16, 293, QString());
    Button2 = PlaceButton(GroupBox1, "Button2", 378, 16, 25, 20, QStringLiteral("..."));

    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet2, QStringLiteral("UnZIP"));
    Label2 = PlaceLabel(TabSheet2, "Label2", 12, 95, QStringLiteral("Fichier dézippé"));
    BtnUnZip = PlaceButton(TabSheet2, "BtnUnZip", 280, 128, 75, 25, QStringLiteral("Dézipper"));
    GroupBox2 = PlaceGroupBox(TabSheet2, "GroupBox2", 8, 8, QStringLiteral("Fichier à dézipper"));
    CBFromFloppy = PlaceCheckBox(GroupBox2, "CBFromFloppy", 101, 48, QStringLiteral("Depuis disquette"));
    EditFileToUnZip = PlaceEdit(GroupBox2, "EditFileToUnZip", 99, 18, 278, QString());
    Button3 = PlaceButton(GroupBox2, "Button3", 376, 18, 25, 20, QStringLiteral("..."));
    EditFileUnzip = PlaceEdit(TabSheet2, "EditFileUnzip", 100, 91, 285,
                              QStringLiteral("C:\\Quarvel\\Database\\dataDezipp.gdb"));
    Button1 = PlaceButton(TabSheet2, "Button1", 387, 91, 25, 20, QStringLiteral("..."));

    OpenDialog1 = new toolkit::OpenDialog(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));

    // Tab order within each parent: a group box's place is that of its first control.
    QWidget *const chain[] = {PageControl1, EditFileToZip, BtnChooseFile, BtnZip, CBToFloppy,
                              EditZipFileName, Button2, BtnUnZip, CBFromFloppy, EditFileToUnZip,
                              Button3, EditFileUnzip, Button1};
    for (std::size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    toolkit::OnEvent(BtnZip, &QPushButton::clicked, this, &TFormZip::BtnZipClick);
    toolkit::OnEvent(BtnUnZip, &QPushButton::clicked, this, &TFormZip::BtnUnZipClick);
    toolkit::OnEvent(BtnChooseFile, &QPushButton::clicked, this, &TFormZip::BtnChooseFileClick);
    toolkit::OnEvent(Button2, &QPushButton::clicked, this, &TFormZip::Button2Click);
    toolkit::OnEvent(Button3, &QPushButton::clicked, this, &TFormZip::Button3Click);
    toolkit::OnEvent(Button1, &QPushButton::clicked, this, &TFormZip::Button1Click);
    // clicked(), not toggled(): the handlers follow the user, not the initial state set above.
    toolkit::OnEvent(CBToFloppy, &QCheckBox::clicked, this, &TFormZip::CBToFloppyClick);
    toolkit::OnEvent(CBFromFloppy, &QCheckBox::clicked, this, &TFormZip::CBFromFloppyClick);

    // The outer size 466 by 237 of the design, less a common frame and title bar.
    resize(458, 210);
    move(551, 273);
    PageControl1->setFocus();
}

void TFormZip::BtnZipClick(QObject *)
{
    toolkit::BusyCursor busy;
    ZipOperation(EditFileToZip->text().toStdString(), EditZipFileName->text().toStdString(),
                 CBToFloppy->isChecked(), ProgramFolder());
    toolkit::ShowMessage(QStringLiteral("traitement terminé"));
}

void TFormZip::BtnUnZipClick(QObject *)
{
    toolkit::BusyCursor busy;
    UnzipOperation(EditFileToUnZip->text().toStdString(), EditFileUnzip->text().toStdString(),
                   CBFromFloppy->isChecked(), ProgramFolder());
    toolkit::ShowMessage(QStringLiteral("traitement terminé"));
}

void TFormZip::Pick(QLineEdit *field)
{
    // A name the dialog cannot take as a preset is no reason not to open it.
    try {
        OpenDialog1->SetFileName(field->text());
    } catch (...) {
    }
    OpenDialog1->Execute();
    field->setText(OpenDialog1->FileName());
}

void TFormZip::BtnChooseFileClick(QObject *)
{
    Pick(EditFileToZip);
    if (!CBToFloppy->isChecked())
        EditZipFileName->setText(ArchiveName(EditFileToZip->text()));
}

void TFormZip::Button2Click(QObject *)
{
    Pick(EditZipFileName);
}

void TFormZip::Button3Click(QObject *)
{
    Pick(EditFileToUnZip);
    if (!CBFromFloppy->isChecked())
        EditFileUnzip->setText(RestoredName(EditFileToUnZip->text()));
}

void TFormZip::Button1Click(QObject *)
{
    Pick(EditFileUnzip);
}

void TFormZip::CBToFloppyClick(QObject *)
{
    if (CBToFloppy->isChecked())
        EditZipFileName->clear();
    else
        EditZipFileName->setText(ArchiveName(EditFileToZip->text()));
}

void TFormZip::CBFromFloppyClick(QObject *)
{
    if (CBFromFloppy->isChecked())
        EditFileToUnZip->clear();
}
