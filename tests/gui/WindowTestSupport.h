#pragma once

#include "../TestSupport.h"
#include "app/TextVisAccess.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>

// Answers the modal dialogs that code under test opens, so that no test waits for a person.
// A handler sees each modal widget first and returns true when it answered it; otherwise a
// message box gets `messageBoxAnswer` and any other dialog is accepted. Progress dialogs are
// left alone: they close themselves.
class ModalAnswerer
{
public:
    using Handler = std::function<bool(QWidget *)>;

    explicit ModalAnswerer(Handler handler = {})
        : m_handler(std::move(handler))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(10);
    }

    QMessageBox::StandardButton messageBoxAnswer = QMessageBox::No;
    QStringList answeredTitles;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || qobject_cast<QProgressDialog *>(modal) || !modal->isVisible())
            return;
        answeredTitles.append(modal->windowTitle());
        if (m_handler && m_handler(modal))
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            if (QAbstractButton *button = box->button(messageBoxAnswer))
                button->click();
            else
                box->reject();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->accept();
        }
    }

    Handler m_handler;
    QTimer m_timer;
};

// Runs a test inside a fresh working directory, because the program keeps its settings
// files in the current one.
class WorkingDirectory
{
public:
    WorkingDirectory()
        : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(m_scratch.path());
    }
    ~WorkingDirectory() { QDir::setCurrent(m_previous); }
    WorkingDirectory(const WorkingDirectory &) = delete;
    WorkingDirectory &operator=(const WorkingDirectory &) = delete;

    const ScratchDir &scratch() const { return m_scratch; }

private:
    ScratchDir m_scratch;
    QString m_previous;
};

// A main window built in a scratch working directory with a break-string file present, so
// that only the About dialog opens during construction (and is accepted).
inline std::unique_ptr<textVis> makeWindow(const ScratchDir &scratch)
{
    if (!QFile::exists(scratch.file(QStringLiteral("breakStrings.txt"))))
        scratch.write(QStringLiteral("breakStrings.txt"), "INT.\nEXT.\n");
    ModalAnswerer answerer;
    return std::make_unique<textVis>();
}

// Answers a file dialog with `path` (or cancels it when `path` is empty).
inline ModalAnswerer::Handler chooseFile(const QString &path)
{
    return [path](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog)
            return false;
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            // Closed only once the choice has taken: the dialog's own accept() may instead
            // navigate while its directory model is still loading, and a directory model
            // that finishes loading can undo selectFile, so the name is also typed in.
            const QFileInfo wanted(path);
            dialog->selectFile(path);
            if (QFileInfo(dialog->selectedFiles().value(0)) != wanted) {
                if (auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
                    dialog->setDirectory(wanted.absolutePath());
                    edit->setText(wanted.fileName());
                }
            }
            if (QFileInfo(dialog->selectedFiles().value(0)) == wanted)
                static_cast<QDialog *>(dialog)->done(QDialog::Accepted);
        }
        return true;
    };
}

// Presses "Abort" on the progress dialog of the stage whose label starts with `label` as soon
// as it is shown, before the stage has done any of its work.
class AbortStage : public QObject
{
public:
    explicit AbortStage(QString label)
        : m_label(std::move(label))
    {
        qApp->installEventFilter(this);
    }
    ~AbortStage() override { qApp->removeEventFilter(this); }
    int aborted = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<QProgressDialog *>(watched);
        if (dialog && event->type() == QEvent::Show && dialog->labelText().startsWith(m_label)) {
            // After the show has run its course, while the dialog waits to be painted.
            QTimer::singleShot(0, dialog, [this, dialog] {
                if (dialog->wasCanceled())
                    return; // shown again by its own timer
                dialog->findChild<QPushButton *>()->click();
                ++aborted;
            });
        }
        return false;
    }

private:
    QString m_label;
};
