// A panel that can let its parent's background show through.
#pragma once

#include <QFrame>

class TPellinPanel : public QFrame {
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
  public:
    explicit TPellinPanel(QWidget* parent = nullptr);

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);

  private:
    bool FTransparent = false;
};
