#include "dialogs/OptionWidgets.h"

#include "characters/Option.h"
#include "ui_OptionsDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QString translatedKey(const Option &option)
{
    return QCoreApplication::translate("OptionsDialog", option.name.toUtf8().constData());
}

void setFixedPolicy(QWidget *widget, QSizePolicy::Policy vertical)
{
    QSizePolicy policy(QSizePolicy::Fixed, vertical);
    policy.setHorizontalStretch(0);
    policy.setVerticalStretch(0);
    policy.setHeightForWidth(widget->sizePolicy().hasHeightForWidth());
    widget->setSizePolicy(policy);
}

QObject *createCheckBox(Option &option, QWidget *parent, QBoxLayout *layout)
{
    auto *box = new QCheckBox(parent);
    box->setObjectName(option.name);
    box->setChecked(*option.boolValue);
    layout->addWidget(box, 0, Qt::Alignment());
    option.widget = box;
    option.valueWidget = box;
    return box;
}

QObject *createSpinBoxRow(Option &option, QWidget *parent, QBoxLayout *layout)
{
    auto *row = new QHBoxLayout();
    row->setSpacing(2);
    row->setObjectName(option.name);

    auto *label = new QLabel(parent);
    label->setObjectName(option.name + QStringLiteral("label"));
    setFixedPolicy(label, QSizePolicy::Preferred);
    row->addWidget(label);

    auto *spinBox = new QSpinBox(parent);
    spinBox->setObjectName(option.name + QStringLiteral("spinBox"));
    setFixedPolicy(spinBox, QSizePolicy::Fixed);
    // As wide as its widest value (the fixed policy gives it that width), 20 pixels high.
    spinBox->setMaximumSize(QSize(QWIDGETSIZE_MAX, 20));
    spinBox->setMinimum(-1);
    spinBox->setMaximum(99999999);
    spinBox->setValue(*option.intValue);
    row->addWidget(spinBox);

    layout->addLayout(row, 0);
    option.widget = row;
    option.valueWidget = spinBox;
    return row;
}

} // namespace

QObject *createWidget(Option &option, QWidget *parent, QBoxLayout *layout)
{
    if (option.boolValue)
        return createCheckBox(option, parent, layout);
    if (option.intValue)
        return createSpinBoxRow(option, parent, layout);
    return nullptr;
}

void retranslate(Option &option)
{
    if (auto *box = qobject_cast<QCheckBox *>(option.widget)) {
        box->setText(translatedKey(option));
        return;
    }
    auto *row = qobject_cast<QLayout *>(option.widget);
    if (!row || row->count() == 0)
        return;
    if (auto *label = qobject_cast<QLabel *>(row->itemAt(0)->widget()))
        label->setText(translatedKey(option));
}

void forgetWidget(Option &option)
{
    option.widget = nullptr;
    option.valueWidget = nullptr;
}

OptionsDialogFrame setupOptionsDialog(QDialog &dialog)
{
    Ui::OptionsDialog form;
    form.setupUi(&dialog);
    return {form.buttonBox, form.verticalLayoutWidget, form.verticalLayout};
}

void retranslateOptionsDialog(QDialog &dialog)
{
    dialog.setWindowTitle(QCoreApplication::translate("OptionsDialog", "Dialog"));
}
