#pragma once

#include <QWidget>

#include "archive/UserPrompt.h"
#include "ops/CommandDialogs.h"

namespace vantry::ops {

// The command dialogs as modal Qt dialogs over `owner`; `prompt` tells their
// validation messages.
class QtCommandDialogs : public CommandDialogs {
 public:
  QtCommandDialogs(QWidget* owner, archive::UserPrompt& prompt) : owner_(owner), prompt_(prompt) {}
  bool RunCopyTo(CopyToChoice& choice) override;
  bool RunComment(CommentChoice& choice) override;
  bool RunCopyFiles(CopyFilesChoice& choice) override;
  bool RunServerDelete(std::string& text) override;
  bool RunFindFiles(FindFilesChoice& choice) override;
  bool RunSearchText(SearchTextChoice& choice) override;

 private:
  QWidget* owner_;
  archive::UserPrompt& prompt_;
};

}  // namespace vantry::ops
