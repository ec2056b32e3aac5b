// A ProgramStarter double: records every call and answers with a scripted Status.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "labellist/label_list.h"

namespace quillet::testing {

class FakeProgramStarter : public ProgramStarter {
 public:
  struct Start {
    std::string program;
    std::vector<std::string> arguments;
  };

  // What every later call answers; success until told otherwise.
  void AnswerWith(Status answer) { answer_ = std::move(answer); }

  Status StartDetached(const std::string& program,
                       const std::vector<std::string>& arguments) override {
    starts_.push_back({program, arguments});
    return answer_;
  }
  Status OpenWithDefaultApplication(const std::filesystem::path& file) override {
    opened_.push_back(file);
    return answer_;
  }

  const std::vector<Start>& starts() const { return starts_; }
  const std::vector<std::filesystem::path>& opened() const { return opened_; }

 private:
  Status answer_ = Status::Ok();
  std::vector<Start> starts_;
  std::vector<std::filesystem::path> opened_;
};

}  // namespace quillet::testing
