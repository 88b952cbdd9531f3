#include "WindowTestSupport.h"

#include "characters/Option.h"
#include "dialogs/OptionWidgets.h"
#include "reader/TextFile.h"
#include "views/GraphWidget.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

struct Row
{
    QString kind; // "check" or "spin"
    QString text;
    int value = 0;
    int minimum = 0;
    int maximum = 0;
};

// The rows of the dialog's layout from top to bottom.
QList<Row> rowsOf(const QDialog &dialog)
{
    QList<Row> rows;
    const auto *layout = dialog.findChild<QVBoxLayout *>(QStringLiteral("verticalLayout"));
    if (!layout)
        return rows;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (auto *box = qobject_cast<QCheckBox *>(item->widget())) {
            rows.append({QStringLiteral("check"), box->text(), box->isChecked() ? 1 : 0, 0, 1});
        } else if (QLayout *row = item->layout()) {
            const auto *label = qobject_cast<QLabel *>(row->itemAt(0)->widget());
            const auto *spin = qobject_cast<QSpinBox *>(row->itemAt(1)->widget());
            if (label && spin)
                rows.append({QStringLiteral("spin"), label->text(), spin->value(), spin->minimum(),
                             spin->maximum()});
        }
    }
    return rows;
}

class OptionsDialogTest : public ::testing::Test
{
protected:
    WorkingDirectory dir;
    std::unique_ptr<textVis> window = makeWindow(dir.scratch());
};

} // namespace

TEST_F(OptionsDialogTest, Parsing_ShowsCheckBoxAndSpinBoxRowsInConfigOrder)
{
    QList<Row> rows;
    QString name;
    QSize size;
    QString title;
    ModalAnswerer answerer([&](QWidget *modal) {
        auto *dialog = qobject_cast<QDialog *>(modal);
        rows = rowsOf(*dialog);
        name = dialog->objectName();
        size = dialog->size();
        title = dialog->windowTitle();
        dialog->reject();
        return true;
    });
    formOf(*window).actionParsing->trigger();

    EXPECT_EQ(name, QStringLiteral("OptionsDialog"));
    EXPECT_EQ(size, QSize(404, 497));
    EXPECT_EQ(title, QStringLiteral("Parsing Options"));
    ASSERT_EQ(rows.size(), 8);
    const QStringList keys{"Find the Characters in the Text",
                           "looseMatch",
                           "CaseSensitivity",
                           "MinCharacterSpaces",
                           "MinNumberOfCharacterInstances",
                           "NumberSteps",
                           "MergeCueExtensions",
                           "WholeNameMatch"};
    const QList<int> defaults{1, 0, 0, 15, 0, 100, 0, 0};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const bool spin = i >= 3 && i < 6;
        EXPECT_EQ(rows[i].kind, QLatin1String(spin ? "spin" : "check"));
        EXPECT_EQ(rows[i].text, keys[i]);
        EXPECT_EQ(rows[i].value, defaults[i]);
        if (spin) {
            EXPECT_EQ(rows[i].minimum, -1);
            EXPECT_EQ(rows[i].maximum, 99999999);
        }
    }
    EXPECT_FALSE(QFile::exists(dir.scratch().file(QStringLiteral("config.txt"))));
}

TEST_F(OptionsDialogTest, Ok_WritesConfigWithTheDialogValues)
{
    ModalAnswerer answerer([](QWidget *modal) {
        auto *dialog = qobject_cast<QDialog *>(modal);
        dialog->findChild<QSpinBox *>(QStringLiteral("NumberStepsspinBox"))->setValue(50);
        dialog->findChild<QCheckBox *>(QStringLiteral("looseMatch"))->setChecked(true);
        dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))
            ->button(QDialogButtonBox::Ok)
            ->click();
        return true;
    });
    formOf(*window).actionParsing->trigger();

    const auto lines = TextFile::readLines(dir.scratch().file(QStringLiteral("config.txt")));
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, (QStringList{"Find the Characters in the Text True", "looseMatch True",
                                   "CaseSensitivity False", "MinCharacterSpaces 15",
                                   "MinNumberOfCharacterInstances 0", "NumberSteps 50",
                                   "MergeCueExtensions False", "WholeNameMatch False"}));
    EXPECT_EQ(documentOf(*window).settings().options.numberSteps, 50);
    EXPECT_TRUE(documentOf(*window).settings().options.looseMatch);
    // The rows are gone with the dialog; the options must not point at them any more.
    for (const auto &option : TextVisTestAccess::options(*window)) {
        EXPECT_EQ(option->widget, nullptr);
        EXPECT_EQ(option->valueWidget, nullptr);
    }
}

TEST_F(OptionsDialogTest, Ok_WithAScreenplayOpen_OffersToReparse)
{
    ASSERT_TRUE(window->loadScreenplay(dir.scratch().write(
        QStringLiteral("play.txt"), "                    ANNA\n          Hello.\n")));
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        const auto before = documentOf(*window).analysis();
        QStringList asked;
        ModalAnswerer answerer([&](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                asked << box->windowTitle();
                box->button(answer)->click();
            } else {
                static_cast<QDialog *>(modal)->accept();
            }
            return true;
        });
        formOf(*window).actionParsing->trigger();
        EXPECT_EQ(asked, QStringList{QStringLiteral("Parsing Options")});
        // Later, the thread view offers it; now, it is done.
        EXPECT_EQ(documentOf(*window).analysis() != before, answer == QMessageBox::Yes);
        EXPECT_EQ(formOf(*window).ThreadView->upToDate, answer == QMessageBox::Yes);
    }
}

TEST_F(OptionsDialogTest, Cancel_WritesNothingAndKeepsValues)
{
    ModalAnswerer answerer([](QWidget *modal) {
        auto *dialog = qobject_cast<QDialog *>(modal);
        dialog->findChild<QSpinBox *>(QStringLiteral("NumberStepsspinBox"))->setValue(7);
        dialog->reject();
        return true;
    });
    formOf(*window).actionParsing->trigger();
    EXPECT_FALSE(QFile::exists(dir.scratch().file(QStringLiteral("config.txt"))));
    EXPECT_EQ(documentOf(*window).settings().options.numberSteps, 100);
}

TEST(OptionWidgetsTest, CreateWidget_RecordsWidgetsAndNamesThem)
{
    QWidget parent;
    auto *layout = new QVBoxLayout(&parent);
    bool flag = true;
    qint32 number = 42;
    Option boolOption(QStringLiteral("Flag"), &flag);
    Option intOption(QStringLiteral("Count"), &number);
    Option unbound(QStringLiteral("Nothing"), static_cast<bool *>(nullptr));

    QObject *box = createWidget(boolOption, &parent, layout);
    QObject *row = createWidget(intOption, &parent, layout);
    EXPECT_EQ(createWidget(unbound, &parent, layout), nullptr);
    retranslate(boolOption);
    retranslate(intOption);

    auto *check = qobject_cast<QCheckBox *>(box);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(boolOption.valueWidget, box);
    EXPECT_EQ(check->objectName(), QStringLiteral("Flag"));
    EXPECT_EQ(check->text(), QStringLiteral("Flag"));
    EXPECT_TRUE(check->isChecked());

    auto *rowLayout = qobject_cast<QHBoxLayout *>(row);
    ASSERT_NE(rowLayout, nullptr);
    EXPECT_EQ(rowLayout->objectName(), QStringLiteral("Count"));
    EXPECT_EQ(rowLayout->spacing(), 2);
    auto *label = qobject_cast<QLabel *>(rowLayout->itemAt(0)->widget());
    auto *spin = qobject_cast<QSpinBox *>(rowLayout->itemAt(1)->widget());
    ASSERT_TRUE(label && spin);
    EXPECT_EQ(intOption.valueWidget, spin);
    EXPECT_EQ(label->objectName(), QStringLiteral("Countlabel"));
    EXPECT_EQ(label->text(), QStringLiteral("Count"));
    EXPECT_EQ(label->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    EXPECT_EQ(label->sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
    EXPECT_EQ(spin->objectName(), QStringLiteral("CountspinBox"));
    EXPECT_EQ(spin->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    EXPECT_EQ(spin->maximumHeight(), 20);
    EXPECT_GE(spin->maximumWidth(), spin->sizeHint().width()); // never cuts its own value
    EXPECT_EQ(spin->value(), 42);
}

TEST(OptionWidgetsTest, DialogFrame_HasButtonsAndLayoutAtFixedPlaces)
{
    QDialog dialog;
    const OptionsDialogFrame frame = setupOptionsDialog(dialog);
    EXPECT_EQ(dialog.objectName(), QStringLiteral("OptionsDialog"));
    EXPECT_EQ(frame.buttonBox->geometry(), QRect(-50, 460, 341, 32));
    EXPECT_EQ(frame.buttonBox->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(frame.verticalLayoutWidget->geometry(), QRect(10, 20, 381, 441));
    EXPECT_EQ(frame.verticalLayout->spacing(), 12);

    QDialog named;
    named.setObjectName(QStringLiteral("Automate"));
    setupOptionsDialog(named);
    EXPECT_EQ(named.objectName(), QStringLiteral("Automate"));
}
