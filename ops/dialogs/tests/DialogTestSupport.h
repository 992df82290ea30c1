#pragma once

#include <vector>

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QWidget>

namespace vantry::ops {

// The widgets of `wanted` in the order the dialog's focus chain reaches them.
inline std::vector<QWidget*> TabOrder(QWidget* dialog, const std::vector<QWidget*>& wanted) {
  std::vector<QWidget*> order;
  QWidget* widget = dialog;
  do {
    widget = widget->nextInFocusChain();
    for (QWidget* w : wanted)
      if (w == widget && std::find(order.begin(), order.end(), w) == order.end()) order.push_back(w);
  } while (widget != dialog);
  return order;
}

inline void ClickOk(QDialogButtonBox* buttons) { buttons->button(QDialogButtonBox::Ok)->click(); }

}  // namespace vantry::ops
