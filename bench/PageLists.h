#pragma once
// The two page lists of the main window, "Общие" and "Чек", in list order.

#include <span>

#include "TPage.h"

namespace orn::bench {

std::span<const PageClass* const> CommonPages();
std::span<const PageClass* const> ReceiptPages();

}  // namespace orn::bench
