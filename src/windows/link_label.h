// A label that works as a link: it reports a click and the pointer entering and
// leaving it, so that its window can open an address and show the hover colour.
#pragma once

#include <QColor>
#include <QLabel>

class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void Clicked();
  void Entered();
  void Left();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
};

// The colour a label draws its text in.
void SetFontColor(QWidget& label, const QColor& color);
QColor FontColor(const QWidget& label);
