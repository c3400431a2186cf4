// The window as designed: every component's parent, place, caption, initial
// state and tab order, held here as a table; the window's caption, size,
// focus, keys, font and scrolling.
#include "ModalWatcher.h"
#include "Toolkit.h"
#include "ZIPNOLVForm.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {

struct Component {
    const char *name;
    const char *kind;
    const char *parent;
    QRect geometry; // for labels, which size themselves, only the top-left counts
    const char *text;
    int checked;  // -1: not a check box
    int tabOrder; // -1: takes no focus
};

// Coordinates relative to the parent: a page's area below the tabs, a group box's outer corner.
const Component kComponents[] = {
    {"PageControl1", "QTabWidget", "", {8, 8, 442, 185}, "", -1, 0},
    {"Label1", "QLabel", "TabSheet1", {10, 19, 71, 13}, "Fichier à zipper", -1, -1},
    {"EditFileToZip", "QLineEdit", "TabSheet1", {91, 16, 294, 21}, "C:\\Quarvel\\Database\\data.gdb", -1, 0},
    {"BtnChooseFile", "QPushButton", "TabSheet1", {385, 16, 25, 20}, "...", -1, 1},
    {"BtnZip", "QPushButton", "TabSheet1", {280, 128, 75, 25}, "Zipper", -1, 2},
    {"GroupBox1", "QGroupBox", "TabSheet1", {8, 48, 417, 73}, "Fichier zippé", -1, 3},
    {"CBToFloppy", "QCheckBox", "GroupBox1", {88, 48, 137, 17}, "vers disquette", 1, 0},
    {"EditZipFileName", "QLineEdit", "GroupBox1", {84, 16, 293, 21}, "", -1, 1},
    {"Button2", "QPushButton", "GroupBox1", {378, 16, 25, 20}, "...", -1, 2},
    {"Label2", "QLabel", "TabSheet2", {12, 95, 71, 13}, "Fichier dézippé", -1, -1},
    {"BtnUnZip", "QPushButton", "TabSheet2", {280, 128, 75, 25}, "Dézipper", -1, 0},
    {"GroupBox2", "QGroupBox", "TabSheet2", {8, 8, 417, 73}, "Fichier à dézipper", -1, 1},
    {"CBFromFloppy", "QCheckBox", "GroupBox2", {101, 48, 137, 17}, "Depuis disquette", 1, 0},
    {"EditFileToUnZip", "QLineEdit", "GroupBox2", {99, 18, 278, 21}, "", -1, 1},
    {"Button3", "QPushButton", "GroupBox2", {376, 18, 25, 20}, "...", -1, 2},
    {"EditFileUnzip", "QLineEdit", "TabSheet2", {100, 91, 285, 21}, "C:\\Quarvel\\Database\\dataDezipp.gdb", -1, 2},
    {"Button1", "QPushButton", "TabSheet2", {387, 91, 25, 20}, "...", -1, 3},
};

QString TextOf(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *box = qobject_cast<QGroupBox *>(widget))
        return box->title();
    return QString();
}

// The window's own position of a component, at the designed window size and unscrolled.
QPoint InWindow(QWidget *widget)
{
    return widget->mapTo(widget->window(), QPoint(0, 0));
}

} // namespace

class TestFormLayout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { toolkit::InitApplication(); }
    void init();
    void cleanup() { form_.reset(); }

    void window();
    void pages();
    void components_data();
    void components();
    void tabOrderWithinParents_data();
    void tabOrderWithinParents();
    void tabKeyVisitsPage_data();
    void tabKeyVisitsPage();
    void focusOnTabsAtStart();
    void keysPressNoButton_data();
    void keysPressNoButton();
    void font();
    void captionsFit_data();
    void captionsFit();
    void resizeMovesNothingAndScrolls();

private:
    TFormZip *form() { return form_.get(); }
    std::unique_ptr<TFormZip> form_;
};

void TestFormLayout::init()
{
    form_ = std::make_unique<TFormZip>();
    FormZip = form_.get();
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void TestFormLayout::window()
{
    QCOMPARE(form()->windowTitle(), QStringLiteral("NOLV ZIP"));
    QCOMPARE(form()->pos(), QPoint(551, 273));
    QCOMPARE(form()->size(), QSize(458, 210));
    QCOMPARE(form()->findChildren<QWidget *>(QStringLiteral("PageControl1")).size(), 1);
    QVERIFY(!form()->windowIcon().isNull());
}

void TestFormLayout::pages()
{
    QTabWidget *pages = form()->PageControl1;
    QCOMPARE(pages->count(), 2);
    QCOMPARE(pages->widget(0), form()->findChild<QWidget *>(QStringLiteral("TabSheet1")));
    QCOMPARE(pages->widget(1), form()->findChild<QWidget *>(QStringLiteral("TabSheet2")));
    QCOMPARE(pages->tabText(0), QStringLiteral("ZIP"));
    QCOMPARE(pages->tabText(1), QStringLiteral("UnZIP"));
    QCOMPARE(pages->currentIndex(), 0);
    // Each page holds all of its components within its area below the tabs.
    for (int i = 0; i < 2; ++i) {
        QWidget *page = pages->widget(i);
        pages->setCurrentIndex(i);
        QVERIFY(page->mapTo(pages, QPoint(0, 0)).y() >= pages->tabBar()->height());
        QVERIFY2(QRect(QPoint(0, 0), page->size()).contains(page->childrenRect()), qPrintable(page->objectName()));
    }
}

void TestFormLayout::components_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("checked");
    for (const Component &c : kComponents)
        QTest::newRow(c.name) << QString::fromLatin1(c.name) << QString::fromLatin1(c.kind)
                              << QString::fromLatin1(c.parent) << c.geometry << QString::fromUtf8(c.text)
                              << c.checked;
}

void TestFormLayout::components()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(int, checked);

    auto *widget = form()->findChild<QWidget *>(name);
    QVERIFY(widget);
    QVERIFY(widget->inherits(qPrintable(kind)));
    QVERIFY(widget->isEnabled());
    if (parent.isEmpty()) {
        // Placed on the window's client area.
        QCOMPARE(InWindow(widget), geometry.topLeft());
    } else {
        QCOMPARE(widget->parentWidget()->objectName(), parent);
    }
    if (kind == QLatin1String("QLabel")) {
        QCOMPARE(widget->pos(), geometry.topLeft());
        QCOMPARE(widget->size(), widget->sizeHint());
    } else {
        QCOMPARE(widget->size(), geometry.size());
        if (!parent.isEmpty())
            QCOMPARE(widget->pos(), geometry.topLeft());
    }
    QCOMPARE(TextOf(widget), text);
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        QVERIFY(edit->maxLength() > 100000);
    if (auto *box = qobject_cast<QCheckBox *>(widget))
        QCOMPARE(int(box->isChecked()), checked);
    else
        QCOMPARE(checked, -1);
}

void TestFormLayout::tabOrderWithinParents_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QStringList>("order");
    QMap<QString, QMap<int, QString>> byParent;
    for (const Component &c : kComponents)
        if (c.tabOrder >= 0 && *c.parent)
            byParent[QString::fromLatin1(c.parent)][c.tabOrder] = QString::fromLatin1(c.name);
    for (auto it = byParent.cbegin(); it != byParent.cend(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.key() << it.value().values();
}

void TestFormLayout::tabOrderWithinParents()
{
    QFETCH(QString, parent);
    QFETCH(QStringList, order);
    auto *container = form()->findChild<QWidget *>(parent);
    QVERIFY(container);
    // A child's place in the focus chain is that of its first focusable part.
    QStringList seen;
    QWidget *w = form()->PageControl1;
    do {
        for (QWidget *up = (w->focusPolicy() & Qt::TabFocus) ? w : nullptr; up && up != container; up = up->parentWidget()) {
            if (up->parentWidget() == container && !up->objectName().isEmpty() && !seen.contains(up->objectName()))
                seen << up->objectName();
        }
        w = w->nextInFocusChain();
    } while (w != form()->PageControl1);
    QCOMPARE(seen, order);
}

void TestFormLayout::tabKeyVisitsPage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("visits");
    QTest::newRow("ZIP") << 0
                         << QStringList{"EditFileToZip", "BtnChooseFile", "BtnZip", "CBToFloppy",
                                        "EditZipFileName", "Button2", "PageControl1"};
    QTest::newRow("UnZIP") << 1
                           << QStringList{"BtnUnZip", "CBFromFloppy", "EditFileToUnZip", "Button3",
                                          "EditFileUnzip", "Button1", "PageControl1"};
}

void TestFormLayout::tabKeyVisitsPage()
{
    QFETCH(int, page);
    QFETCH(QStringList, visits);
    form()->PageControl1->setCurrentIndex(page);
    form()->PageControl1->setFocus();
    QStringList seen;
    for (int i = 0; i < visits.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focus = QApplication::focusWidget();
        if (qobject_cast<QTabBar *>(focus))
            focus = focus->parentWidget();
        seen << (focus->objectName().isEmpty() ? QString::fromLatin1(focus->metaObject()->className())
                                               : focus->objectName());
    }
    QCOMPARE(seen, visits);
}

void TestFormLayout::focusOnTabsAtStart()
{
    QVERIFY(form()->PageControl1->hasFocus());
    QVERIFY(qobject_cast<QTabBar *>(QApplication::focusWidget()));
}

void TestFormLayout::keysPressNoButton_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    for (const char *focus : {"EditFileToZip", "EditZipFileName", "BtnZip", "CBToFloppy", "PageControl1"}) {
        QTest::newRow(qPrintable(QStringLiteral("Return on %1").arg(focus))) << focus << int(Qt::Key_Return);
        QTest::newRow(qPrintable(QStringLiteral("Enter on %1").arg(focus))) << focus << int(Qt::Key_Enter);
        QTest::newRow(qPrintable(QStringLiteral("Escape on %1").arg(focus))) << focus << int(Qt::Key_Escape);
    }
}

void TestFormLayout::keysPressNoButton()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    for (auto *button : form()->findChildren<QPushButton *>()) {
        if (button->window() != form())
            continue;
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
    // A pressed "Zipper" or "..." would bring up a modal dialog at once.
    ModalWatcher watcher([](QWidget *modal) { modal->close(); });
    auto *widget = form()->findChild<QWidget *>(focus);
    widget->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QCOMPARE(watcher.count(), 0);
    QVERIFY(form()->isVisible());
    QCOMPARE(form()->CBToFloppy->isChecked(), true);
}

void TestFormLayout::font()
{
    const QFontInfo info(form()->BtnZip->font());
    QCOMPARE(info.pixelSize(), 11);
    const QStringList families{"MS Sans Serif", "Liberation Sans"};
    QVERIFY2(families.contains(info.family()), qPrintable(info.family()));
}

void TestFormLayout::captionsFit_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("next"); // the component that follows on the right, if any
    QTest::newRow("Label1") << "Label1" << "EditFileToZip";
    QTest::newRow("Label2") << "Label2" << "EditFileUnzip";
    for (const char *name : {"BtnChooseFile", "BtnZip", "Button2", "BtnUnZip", "Button3", "Button1", "CBToFloppy",
                             "CBFromFloppy", "GroupBox1", "GroupBox2"})
        QTest::newRow(name) << name << QString();
}

void TestFormLayout::captionsFit()
{
    QFETCH(QString, name);
    QFETCH(QString, next);
    auto *widget = form()->findChild<QWidget *>(name);
    const QString text = TextOf(widget);
    const int advance = widget->fontMetrics().horizontalAdvance(text);
    if (!next.isEmpty()) {
        auto *following = form()->findChild<QWidget *>(next);
        QVERIFY2(widget->geometry().right() < following->geometry().left(),
                 qPrintable(QStringLiteral("%1 ends at %2").arg(name).arg(widget->geometry().right())));
    } else if (qobject_cast<QCheckBox *>(widget)) {
        QVERIFY2(widget->sizeHint().width() <= widget->width(), qPrintable(QString::number(widget->sizeHint().width())));
    } else {
        QVERIFY2(advance + 4 <= widget->width(), qPrintable(QString::number(advance)));
    }
    QVERIFY(widget->fontMetrics().height() <= widget->height());
}

void TestFormLayout::resizeMovesNothingAndScrolls()
{
    auto *scroll = form()->findChild<QScrollArea *>();
    QVERIFY(scroll);
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    QVERIFY(!scroll->verticalScrollBar()->isVisible());

    QHash<QWidget *, QRect> before;
    for (auto *w : form()->findChildren<QWidget *>())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            before.insert(w, QRect(InWindow(w), w->size()));

    form()->resize(900, 600);
    QCoreApplication::processEvents();
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QCOMPARE(QRect(InWindow(it.key()), it.key()->size()), it.value());

    form()->resize(300, 120);
    QCoreApplication::processEvents();
    QVERIFY(scroll->horizontalScrollBar()->isVisible());
    QVERIFY(scroll->verticalScrollBar()->isVisible());
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
    QVERIFY(InWindow(form()->PageControl1).x() < 8);
}

QTEST_MAIN(TestFormLayout)
#include "TestFormLayout.moc"
