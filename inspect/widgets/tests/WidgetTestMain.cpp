#include <gtest/gtest.h>

#include <QApplication>

namespace vantry::inspect {

namespace {

// One application object for every widget test of the binary.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    // Widget tests need no screen; without one named, draw off-screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "inspect_widgets";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

}  // namespace vantry::inspect
