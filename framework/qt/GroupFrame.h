#pragma once
// A group box drawn as the templates assume: the frame's top line runs through the middle of
// the title's line, and the title interrupts it near the left, at the top of the box's
// rectangle. (Toolkit styles put the title above the frame, which pushes the frame down
// onto the controls the template placed just inside it.)

#include <QGroupBox>

class GroupFrame : public QGroupBox {
 public:
  explicit GroupFrame(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect TitleRect() const;
};
