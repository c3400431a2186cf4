#include "Toolkit.h"
#include "ZIPNOLVForm.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    toolkit::InitApplication();
    TFormZip form;
    FormZip = &form;
    form.show();
    return app.exec();
}
