#include "OpenDialog.h"

#include "Toolkit.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace toolkit {

OpenDialog::OpenDialog(QWidget *parent) : QFileDialog(parent)
{
    // Qt's own dialog behaves the same on every desktop, and it is the one
    // that the translations loaded at start cover.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::AnyFile);
    setAcceptMode(QFileDialog::AcceptOpen);
}

void OpenDialog::SetFileName(const QString &fileName)
{
    fileName_ = fileName;
    // Relative names count from the process's current folder, as the fields' paths do.
    if (QDir::isRelativePath(fileName))
        setDirectory(QDir::currentPath());
    if (fileName.isEmpty()) {
        // selectFile() ignores an empty name and would show the previous one.
        if (auto *edit = findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            edit->clear();
        return;
    }
    selectFile(fileName);
}

bool OpenDialog::Execute()
{
    const bool chosen = ExecModal(*this) == QDialog::Accepted && !selectedFiles().isEmpty();
    if (!chosen)
        return false;
    fileName_ = selectedFiles().constFirst();
    QDir::setCurrent(QFileInfo(fileName_).absolutePath());
    return true;
}

} // namespace toolkit
