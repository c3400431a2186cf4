#include "ZIPNOLVForm.h"
TFormZip::TFormZip(QWidget *parent) : QWidget(parent) {}
