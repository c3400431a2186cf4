#pragma once
#include <QWidget>
class TFormZip : public QWidget {
    Q_OBJECT
public:
    explicit TFormZip(QWidget *parent = nullptr);
};
