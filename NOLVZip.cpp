#include "ZIPNOLVForm.h"
#include <QApplication>
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TFormZip form;
    form.show();
    return app.exec();
}
