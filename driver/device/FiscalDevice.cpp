// FiscalDevice, the register as the driver sees it. Its members are spread over the files
// of this folder by concern:
//
//   FiscalDevice.cpp     construction, and this map
//   FiscalLink.cpp       SendCommand: the frame, the ENQ/ACK/NAK handshake (Exchange), the
//                        answer's check byte, and the register's error onto the error triple
//   FiscalConnect.cpp    Probe, Connect (the rate search and the move to the configured
//                        rate), FindDevice (the configured port first)
//   PortSearch.cpp       the search of the other rates and ports, side by side
//   RequestBuilder.cpp   the request buffer: code and password, integers, money, tax bytes,
//                        a text packed into its field
//   AnswerDecoders.cpp   the answers' data into the cached fields (status, type, subtotal,
//                        tables)
//   StatusCommands.cpp   status, type, exchange parameters, tests, registers, paper check
//   ReceiptCommands.cpp  items, adjustments, receipts, cash in and out, printing a string
//   ReportCommands.cpp   X and Z reports, the tax inspector's fiscal reports
//   SlipCommands.cpp     slip documents
//   TableCommands.cpp    the settings tables
//   DateCommands.cpp     date and time, SetDateTime with its date confirmation
//   PrinterWaits.cpp     WaitForPrinting, CheckPrinting, ContinuePrint, WaitContinue
//   TextPrinting.cpp     PrintLines, PrintSlipLines
//   TaxSplit.cpp         SplitByTax and the by-tax adjustments
//   UnsettledCommand.*   a recording command whose answer was lost, kept until settled
//
// Below it: SerialPort (SerialPort.cpp) over the OS seam's CommPort and PortProvider; the
// command table (Commands.h), the link's bytes (Protocol.h), the status block's layout
// (DeviceStatus.h), the register's error codes and texts (DeviceErrors.cpp), the OPOS
// result codes (ResultCodes.cpp) and the error triple (ErrorTriple.cpp).

#include "device/FiscalDevice.h"

#include "config/DriverLog.h"

namespace orn::device {

FiscalDevice::FiscalDevice(platform::PortProvider& ports, platform::Clock& clock,
                           config::DriverLog& log)
    : port_(ports), clock_(clock), log_(log) {}

void FiscalDevice::SetConnection(int comNumber, uint32_t baudRate) {
  comNumber_ = comNumber;
  baudRate_ = kBaudRates[BaudRateCode(baudRate)];
  if (baudRate_ != baudRate)
    log_.LogErrorF("скорости %u нет в таблице скоростей ФР: взята %u", unsigned(baudRate),
                   unsigned(baudRate_));
}

}  // namespace orn::device
