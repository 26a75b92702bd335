#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <optional>
#include <utility>

// Plays the user in front of the real modal dialogs of a program running in this process: it
// looks at the active modal widget every 10 ms, answers the folder chooser from a queue,
// confirms every message box, and rejects anything it does not know once it has waited too
// long, so a failing test ends instead of hanging. Every chooser and message box that comes on
// screen is recorded, also one that a quit closes again before anyone could read it.
class ModalDriver : public QObject {
  public:
    // What the chooser shows when it comes up, as recorded in events().
    static QString chooserEvent() { return QStringLiteral("[Ordnerwahl]"); }

    struct FolderAnswer {
        std::optional<QString> path;         // nothing: the user cancels
        std::function<void()> afterChoosing; // runs once the chooser has accepted the folder
    };

    ModalDriver() {
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
    }

    void answerFolder(std::optional<QString> path, std::function<void()> afterChoosing = {}) {
        answers_.push_back({std::move(path), std::move(afterChoosing)});
    }

    // Widgets of these kinds stay modal for a long time on purpose and are left alone.
    void ignore(std::function<bool(QWidget*)> predicate) { ignored_ = std::move(predicate); }

    void start() {
        qApp->installEventFilter(this);
        timer_.start();
    }
    void stop() {
        timer_.stop();
        qApp->removeEventFilter(this);
    }

    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* box = qobject_cast<QMessageBox*>(object))
                events_ << box->text();
            else if (qobject_cast<QFileDialog*>(object))
                events_ << chooserEvent();
        }
        return false;
    }

    // Chooser appearances and message texts, in the order they came up.
    const QStringList& events() const { return events_; }
    int unansweredChoosers() const { return static_cast<int>(answers_.size()); }

  private:
    static constexpr qint64 patienceMs = 5000;

    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || (ignored_ && ignored_(modal))) {
            waiting_ = nullptr;
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            if (ok)
                ok->click();
            else
                box->reject();
            return;
        }
        if (auto* chooser = qobject_cast<QFileDialog*>(modal)) {
            answerChooser(chooser);
            return;
        }
        if (waiting_ != modal) {
            waiting_ = modal;
            waitingSince_.start();
        } else if (waitingSince_.elapsed() > patienceMs) {
            events_ << QStringLiteral("[unerwartet: %1]")
                           .arg(QString::fromLatin1(modal->metaObject()->className()));
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        }
    }

    void answerChooser(QFileDialog* chooser) {
        if (answers_.empty()) {
            events_ << QStringLiteral("[keine Antwort vorbereitet]");
            chooser->reject();
            return;
        }
        FolderAnswer answer = std::move(answers_.front());
        answers_.pop_front();
        auto* nameEdit = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!answer.path || !nameEdit) {
            chooser->reject();
            return;
        }
        // Typing races the dialog's file-system model; the line edit takes the path at once.
        nameEdit->setText(*answer.path);
        if (answer.afterChoosing) {
            connect(chooser, &QFileDialog::fileSelected, this, std::move(answer.afterChoosing),
                    Qt::SingleShotConnection);
        }
        static_cast<QDialog*>(chooser)->accept();
    }

    QTimer timer_;
    std::deque<FolderAnswer> answers_;
    std::function<bool(QWidget*)> ignored_;
    QStringList events_;
    QPointer<QWidget> waiting_;
    QElapsedTimer waitingSince_;
};
