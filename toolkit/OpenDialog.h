// The file-open dialog shared by the window's pickers. It checks neither that
// the file nor that its folder exists, so it also names new files; its file
// name persists between uses and changes only when the user makes a choice.
#pragma once

#include <QFileDialog>
#include <QString>

namespace toolkit {

class OpenDialog : public QFileDialog {
public:
    explicit OpenDialog(QWidget *parent = nullptr);

    QString FileName() const { return fileName_; }
    void SetFileName(const QString &fileName);

    // Shows the dialog modally; on a choice, takes the chosen path as the file
    // name and makes its folder the process's current folder, as the system
    // dialog does. Returns whether a choice was made.
    bool Execute();

private:
    QString fileName_;
};

} // namespace toolkit
