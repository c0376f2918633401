#include "PageLists.h"

namespace orn::bench {

// Each page's source defines its class record.
extern const PageClass TfmCommonClass;
extern const PageClass TfmHealthClass;
extern const PageClass TfmRepClass;
extern const PageClass TfmNonFiscClass;
extern const PageClass TfmSlipInsClass;
extern const PageClass TfmFiscDocClass;
extern const PageClass TfmSetDateClass;
extern const PageClass TfmSetVatClass;
extern const PageClass TfmSetLineClass;
extern const PageClass TfmParamsClass;
extern const PageClass TfmCapsClass;
extern const PageClass TfmPropsClass;
extern const PageClass TfmHTClass;
extern const PageClass TfmGetDateClass;
extern const PageClass TfmGetDataClass;
extern const PageClass TfmGetTotClass;
extern const PageClass TfmSetHTClass;
extern const PageClass TfmDeviceSettingsClass;
extern const PageClass TfmReceiptClass;
extern const PageClass TfmRecVoidClass;
extern const PageClass TfmRecItemClass;
extern const PageClass TfmItemVoidClass;
extern const PageClass TfmRIAdtClass;
extern const PageClass TfmRecMsgClass;
extern const PageClass TfmNotPaidClass;
extern const PageClass TfmPackAdtClass;
extern const PageClass TfmPAVoidClass;
extern const PageClass TfmRefundClass;
extern const PageClass TfmRRVoidClass;
extern const PageClass TfmSTAdtClass;
extern const PageClass TfmSAVodClass;
extern const PageClass TfmTaxIDClass;
extern const PageClass TfmTotalClass;
extern const PageClass TfmSubtotalClass;
extern const PageClass TfmRecCashClass;

namespace {

const PageClass* const kCommonPages[] = {
    &TfmCommonClass,  &TfmHealthClass,         &TfmRepClass,     &TfmNonFiscClass,
    &TfmSlipInsClass, &TfmFiscDocClass,        &TfmSetDateClass, &TfmSetVatClass,
    &TfmSetLineClass, &TfmParamsClass,         &TfmCapsClass,    &TfmPropsClass,
    &TfmHTClass,      &TfmGetDateClass,        &TfmGetDataClass, &TfmGetTotClass,
    &TfmSetHTClass,   &TfmDeviceSettingsClass,
};

const PageClass* const kReceiptPages[] = {
    &TfmReceiptClass,  &TfmRecVoidClass, &TfmRecItemClass, &TfmItemVoidClass, &TfmRIAdtClass,
    &TfmRecMsgClass,   &TfmNotPaidClass, &TfmPackAdtClass, &TfmPAVoidClass,   &TfmRefundClass,
    &TfmRRVoidClass,   &TfmSTAdtClass,   &TfmSAVodClass,   &TfmTaxIDClass,    &TfmTotalClass,
    &TfmSubtotalClass, &TfmRecCashClass,
};

}  // namespace

std::span<const PageClass* const> CommonPages() {
  return kCommonPages;
}
std::span<const PageClass* const> ReceiptPages() {
  return kReceiptPages;
}

}  // namespace orn::bench
