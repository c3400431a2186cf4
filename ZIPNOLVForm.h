// The program's one window: two pages, "ZIP" and "UnZIP", with the fields,
// check boxes and buttons of a backup and of a restore.
#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;

namespace toolkit {
class OpenDialog;
}

class TFormZip : public QWidget {
    Q_OBJECT
public:
    explicit TFormZip(QWidget *parent = nullptr);

    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QLabel *Label1;
    QLineEdit *EditFileToZip;
    QPushButton *BtnChooseFile;
    QPushButton *BtnZip;
    QGroupBox *GroupBox1;
    QCheckBox *CBToFloppy;
    QLineEdit *EditZipFileName;
    QPushButton *Button2;
    QWidget *TabSheet2;
    QLabel *Label2;
    QPushButton *BtnUnZip;
    QGroupBox *GroupBox2;
    QCheckBox *CBFromFloppy;
    QLineEdit *EditFileToUnZip;
    QPushButton *Button3;
    QLineEdit *EditFileUnzip;
    QPushButton *Button1;
    toolkit::OpenDialog *OpenDialog1;

    void BtnZipClick(QObject *Sender);
    void BtnUnZipClick(QObject *Sender);
    void BtnChooseFileClick(QObject *Sender);
    void Button2Click(QObject *Sender);
    void Button3Click(QObject *Sender);
    void Button1Click(QObject *Sender);
    void CBToFloppyClick(QObject *Sender);
    void CBFromFloppyClick(QObject *Sender);

private:
    // Fills `field` from the shared dialog, which keeps the field's text on a cancel.
    void Pick(QLineEdit *field);

    QScrollArea *scrollArea_;
};

// The application's main window, from start to end of the program.
extern TFormZip *FormZip;
