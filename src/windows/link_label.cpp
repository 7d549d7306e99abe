#include "windows/link_label.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  // As a button does: a release outside the label cancels the click.
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Clicked();
  QLabel::mouseReleaseEvent(event);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
  emit Entered();
  QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
  emit Left();
  QLabel::leaveEvent(event);
}

void SetFontColor(QWidget& label, const QColor& color) {
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, color);
  label.setPalette(palette);
}

QColor FontColor(const QWidget& label) { return label.palette().color(QPalette::WindowText); }
