#pragma once

#include <functional>

#include "inspect/Notice.h"

class QWidget;

namespace vantry::inspect {

// Shows a notice to the user; widgets take one so tests can collect notices instead.
using NoticeSink = std::function<void(const Notice&)>;

// A modal message box with the notice's text and caption and an OK button.
void ShowNoticeBox(QWidget* parent, const Notice& notice);

}  // namespace vantry::inspect
