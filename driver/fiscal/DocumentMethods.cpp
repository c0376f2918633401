// Slip and non-fiscal documents, fixed output and training mode. Members of FptrService that come
// with a later release; until then each runs the method frame and answers OPOS_E_ILLEGAL.

#include "service/FptrService.h"

namespace orn::service {

int32_t FptrService::BeginFiscalDocument(int32_t documentAmount) {
  return NotSupported(Method::kBeginFiscalDocument, {Number("DocumentAmount", documentAmount)});
}

int32_t FptrService::BeginFixedOutput(int32_t station, int32_t documentType) {
  return NotSupported(Method::kBeginFixedOutput,
                      {Number("Station", station), Number("DocumentType", documentType)});
}

int32_t FptrService::BeginInsertion(int32_t timeout) {
  return NotSupported(Method::kBeginInsertion, {Number("Timeout", timeout)});
}

int32_t FptrService::BeginItemList(int32_t vatID) {
  return NotSupported(Method::kBeginItemList, {Number("VatID", vatID)});
}

int32_t FptrService::BeginNonFiscal() {
  return NotSupported(Method::kBeginNonFiscal, {});
}

int32_t FptrService::BeginRemoval(int32_t timeout) {
  return NotSupported(Method::kBeginRemoval, {Number("Timeout", timeout)});
}

int32_t FptrService::BeginTraining() {
  return NotSupported(Method::kBeginTraining, {});
}

int32_t FptrService::EndFiscalDocument() {
  return NotSupported(Method::kEndFiscalDocument, {});
}

int32_t FptrService::EndFixedOutput() {
  return NotSupported(Method::kEndFixedOutput, {});
}

int32_t FptrService::EndInsertion() {
  return NotSupported(Method::kEndInsertion, {});
}

int32_t FptrService::EndItemList() {
  return NotSupported(Method::kEndItemList, {});
}

int32_t FptrService::EndNonFiscal() {
  return NotSupported(Method::kEndNonFiscal, {});
}

int32_t FptrService::EndRemoval() {
  return NotSupported(Method::kEndRemoval, {});
}

int32_t FptrService::EndTraining() {
  return NotSupported(Method::kEndTraining, {});
}

int32_t FptrService::PrintFiscalDocumentLine(std::u16string_view documentLine) {
  return NotSupported(Method::kPrintFiscalDocumentLine, {Text("DocumentLine", documentLine)});
}

int32_t FptrService::PrintFixedOutput(int32_t documentType, int32_t lineNumber,
                                      std::u16string_view data) {
  return NotSupported(
      Method::kPrintFixedOutput,
      {Number("DocumentType", documentType), Number("LineNumber", lineNumber), Text("Data", data)});
}

int32_t FptrService::PrintNormal(int32_t station, std::u16string_view data) {
  return NotSupported(Method::kPrintNormal, {Number("Station", station), Text("Data", data)});
}

}  // namespace orn::service
