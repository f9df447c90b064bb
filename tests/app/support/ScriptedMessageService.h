// A message service that answers from a script and records every box, so
// that tests can drive the windows' questions.
#pragma once

#include "MessageService.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class ScriptedMessageService : public MessageService {
  public:
    struct Shown {
        QString kind; // "information", "confirm", "error", "batch", "window"
        QString text;
    };

    void Information(QWidget* parent, const QString& text) override;
    Answer Confirm(QWidget* parent, const QString& text) override;
    void Error(QWidget* parent, const QString& text) override;
    Answer ConfirmBatch(QWidget* parent, const QString& text) override;
    void ShowModal(QDialog* dialog) override;

    // Answers for the next questions, in order; Yes when none is left.
    QList<Answer> answers;
    // Called with each shown box, e.g. to click something meanwhile.
    std::function<void(const Shown&)> onShow;

    QList<Shown> shown;
    QStringList Texts(const QString& kind) const;

  private:
    Answer NextAnswer();
    void Record(const QString& kind, const QString& text);
};
