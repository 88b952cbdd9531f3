#include "ThreadViewTestSupport.h"
#include "WindowTestSupport.h"

#include <QGroupBox>
#include <QListWidget>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

class MainWindowFormTest : public ::testing::Test
{
protected:
    WorkingDirectory dir;
    std::unique_ptr<textVis> window = makeWindow(dir.scratch());

    void showAt(const QSize &size)
    {
        window->resize(size);
        window->show();
        QApplication::setActiveWindow(window.get());
        processEventsUntil([this] { return window->windowHandle()->isExposed(); }, 5000);
        QCoreApplication::processEvents();
    }
};

// Shown whole: at least as large as its text needs, and inside its parent.
void expectWhole(const QWidget *widget)
{
    SCOPED_TRACE(widget->objectName().toStdString());
    EXPECT_TRUE(widget->isVisible());
    EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry()));
    if (auto *button = qobject_cast<const QPushButton *>(widget)) {
        EXPECT_LT(button->fontMetrics().horizontalAdvance(button->text()), button->width() - 6);
        return;
    }
    if (qobject_cast<const QListWidget *>(widget))
        return; // a list scrolls what does not fit
    EXPECT_GE(widget->width(), widget->sizeHint().width());
    EXPECT_GE(widget->height(), widget->sizeHint().height());
}

void expectPanelWhole(const Ui::textVisClass &form)
{
    // Each part as high as it asks to be; the scroll area shows what the window cannot.
    EXPECT_GE(form.groupBox->height(), form.groupBox->minimumSizeHint().height());
    EXPECT_EQ(form.panelScrollArea->widget(), form.groupBox);
    EXPECT_GE(form.groupBox_2->height(), form.groupBox_2->sizeHint().height());
    EXPECT_GE(form.tabWidget->height(), 600);
    EXPECT_GE(form.panelScrollArea->viewport()->width(), form.groupBox->minimumWidth());
    EXPECT_TRUE(form.groupBox->rect().contains(form.groupBox_2->geometry()));
    EXPECT_TRUE(form.groupBox->rect().contains(form.tabWidget->geometry()));
    const QTabBar *bar = form.tabWidget->tabBar();
    EXPECT_TRUE(form.tabWidget->rect().contains(bar->geometry()));
    for (int i = 0; i < bar->count(); ++i) {
        EXPECT_TRUE(bar->rect().contains(bar->tabRect(i))) << i;
        EXPECT_LT(bar->fontMetrics().horizontalAdvance(bar->tabText(i)), bar->tabRect(i).width())
            << i;
    }
    // Whole and clear of each other ("Move To Plane" once covered "Draw Spheres").
    const auto expectChildrenWhole = [](const QWidget *parent) {
        const auto children =
            parent->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        for (const QWidget *child : children) {
            expectWhole(child);
            for (const QWidget *other : children)
                EXPECT_TRUE(child == other || !child->geometry().intersects(other->geometry()))
                    << child->objectName().toStdString() << " "
                    << other->objectName().toStdString();
        }
    };
    expectChildrenWhole(form.groupBox_2);
    for (int i = 0; i < form.tabWidget->count(); ++i) {
        form.tabWidget->setCurrentIndex(i);
        QCoreApplication::processEvents();
        expectChildrenWhole(form.tabWidget->widget(i));
    }
    form.tabWidget->setCurrentIndex(0);
}

} // namespace

// At the machine's own font and at a larger application font (other fonts have other
// metrics; the controls must take what they need at any of them).
TEST(MainWindowFormFonts, Panel_ShowsEveryControlWholeAtTwoFontSizesAndTwoWindowSizes)
{
    const QFont original = QApplication::font();
    QFont larger = original;
    larger.setPointSizeF(16.0);
    for (const QFont &font : {original, larger}) {
        SCOPED_TRACE(font.pointSizeF());
        QApplication::setFont(font);
        WorkingDirectory dir;
        const std::unique_ptr<textVis> window = makeWindow(dir.scratch());
        for (const QSize &size : {QSize(1192, 881), QSize(1600, 1180)}) {
            window->resize(size);
            window->show();
            QApplication::setActiveWindow(window.get());
            processEventsUntil([&window] { return window->windowHandle()->isExposed(); }, 5000);
            QCoreApplication::processEvents();
            EXPECT_EQ(window->size(), size);
            expectPanelWhole(formOf(*window));
        }
    }
    QApplication::setFont(original);
}

TEST_F(MainWindowFormTest, Keys_ReachTheThreadViewAndEveryMenuShortcutFires)
{
    showAt(QSize(1192, 881));
    GraphWidget *view = formOf(*window).ThreadView;
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_EQ(QApplication::focusWidget(), view);
    QTest::keyClick(view, Qt::Key_2);
    EXPECT_EQ(view->viewState().selectedIndex, 2);

    const std::vector<std::pair<Qt::Key, QString>> shortcuts = {{Qt::Key_O, "Select a screenplay"},
                                                                {Qt::Key_I, "Save Image"},
                                                                {Qt::Key_S, "Save Markup"},
                                                                {Qt::Key_A, "Select screenplays"}};
    // Save Image and Save Markup ask for a name only after a parse.
    window->loadScreenplay(dir.scratch().write(QStringLiteral("play.txt"),
                                               "INT. HOUSE - DAY\n                    JOHN\n"
                                               "          Hello.\n                    MARY\n"
                                               "          Hi.\n"));
    for (const auto &shortcut : shortcuts) {
        ModalAnswerer answerer(chooseFile(QString()));
        QApplication::setActiveWindow(window.get()); // a progress dialog may have taken it
        QTest::keyClick(view, shortcut.first, Qt::ControlModifier);
        EXPECT_TRUE(answerer.answeredTitles.contains(shortcut.second))
            << shortcut.second.toStdString();
    }
    testing::internal::CaptureStdout();
    QApplication::setActiveWindow(window.get());
    QTest::keyClick(view, Qt::Key_R, Qt::ControlModifier); // Reparse answers without a dialog
    EXPECT_EQ(testing::internal::GetCapturedStdout().rfind("got here!", 0), 0u);
}
