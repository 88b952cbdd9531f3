#include "app/IncludeCharactersDialog.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>

void IncludeCharactersUi::setupUi(QDialog *dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("IncludeCharacters"));
    dialog->resize(400, 300);

    buttonBox = new QDialogButtonBox(dialog);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    buttonBox->setGeometry(QRect(30, 240, 341, 32));
    buttonBox->setOrientation(Qt::Horizontal);
    buttonBox->setStandardButtons(QDialogButtonBox::Cancel | QDialogButtonBox::Ok);

    listWidget = new QListWidget(dialog);
    listWidget->setObjectName(QStringLiteral("listWidget"));
    listWidget->setGeometry(QRect(20, 10, 361, 211));
    listWidget->setEditTriggers(QAbstractItemView::DoubleClicked |
                                QAbstractItemView::SelectedClicked |
                                QAbstractItemView::EditKeyPressed);
    listWidget->setSelectionMode(QAbstractItemView::ExtendedSelection);

    pushButton_AddIncludeCharacter = new QPushButton(dialog);
    pushButton_AddIncludeCharacter->setObjectName(QStringLiteral("pushButton_AddIncludeCharacter"));
    pushButton_AddIncludeCharacter->setGeometry(QRect(20, 240, 31, 23));
    pushButton_RemoveIncludeCharacter = new QPushButton(dialog);
    pushButton_RemoveIncludeCharacter->setObjectName(
        QStringLiteral("pushButton_RemoveIncludeCharacter"));
    pushButton_RemoveIncludeCharacter->setGeometry(QRect(60, 240, 31, 23));
    pushButton_ForceColor = new QPushButton(dialog);
    pushButton_ForceColor->setObjectName(QStringLiteral("pushButton_ForceColor"));
    pushButton_ForceColor->setGeometry(QRect(110, 230, 71, 41));

    retranslateUi(dialog);
    QObject::connect(buttonBox, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttonBox, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QMetaObject::connectSlotsByName(dialog);
}

void IncludeCharactersUi::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QCoreApplication::translate("IncludeCharacters", "Included Characters"));
    pushButton_AddIncludeCharacter->setText(QCoreApplication::translate("IncludeCharacters", "+"));
    pushButton_RemoveIncludeCharacter->setText(
        QCoreApplication::translate("IncludeCharacters", "-"));
    pushButton_ForceColor->setText(QCoreApplication::translate("IncludeCharacters", "Force Color"));
}
