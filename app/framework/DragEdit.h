// An edit box that takes a file dropped onto it from the file manager.
#pragma once

#include <QLineEdit>

class TDragEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TDragEdit(QWidget* parent = nullptr);
    // Accepts (true) or refuses (false) dropped files.
    void DragAccept(bool accept);

  signals:
    // The first dropped file's path; further files of the drop are ignored.
    void OnDropFile(QObject* sender, const QString& file);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
