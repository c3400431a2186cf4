#include "Toolkit.h"
#include "ZIPNOLVForm.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    toolkit::InitApplication();
    toolkit::LoadToolkitTranslations(QLocale::system());
    TFormZip form;
    FormZip = &form;
    form.show();
    return app.exec();
}
