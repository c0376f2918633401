#pragma once
// The device's unsettled command (a recording command whose answer was lost), kept in the
// device's Params key so that a new process fetches that answer instead of recording the
// operation twice.

#include <string>

#include "device/UnsettledCommand.h"
#include "receipt/StateStore.h"

namespace orn::receipt {

class UnsettledRecord : public device::UnsettledStore {
 public:
  explicit UnsettledRecord(StateStore& store) : store_(store) {}

  void SaveUnsettled(const std::string& record) override;
  std::string LoadUnsettled() override;

 private:
  StateStore& store_;
};

}  // namespace orn::receipt
