#pragma once
// The OPOS values the control itself uses: result codes, open results, the property
// indexes it reads for its own purposes, and its own identity.

namespace orn::control {

enum : long {
  OPOS_SUCCESS = 0,
  OPOS_E_CLOSED = 101,
  OPOS_E_NOSERVICE = 104,
  OPOS_E_ILLEGAL = 106,
  OPOS_E_NOEXIST = 109,
  OPOS_S_CLOSED = 1,
};

enum : long {
  OPOS_OR_ALREADYOPEN = 301,
  OPOS_OR_REGBADNAME = 302,
  OPOS_OR_REGPROGID = 303,
  OPOS_OR_CREATE = 304,
  OPOS_OR_BADIF = 305,
  OPOS_OR_FAILEDOPEN = 306,
  OPOS_OR_BADVERSION = 307,
};

enum : long {
  PIDX_FreezeEvents = 4,
  PIDX_ResultCode = 6,
  PIDX_ServiceObjectVersion = 8,
  PIDX_State = 9,
};

constexpr long kControlObjectVersion = 1016000;
constexpr wchar_t kControlObjectDescription[] =
    L"OPOS FiscalPrinter Control 1.16.000 [Public, by CRM/MCS, and modified by KF]";
// A string property the control may not ask the service object for.
constexpr wchar_t kNoString[] = L"[Error]";
constexpr wchar_t kDeviceClass[] = L"FiscalPrinter";
constexpr wchar_t kDeviceClassKey[] = L"SOFTWARE\\OLEforRetail\\ServiceOPOS\\FiscalPrinter";

// Version numbers read from ServiceObjectVersion: major * 1000000 + minor * 1000 + build.
constexpr long kMajorVersion = 1;
constexpr long MajorOf(long version) {
  return version / 1000000;
}
constexpr long MinorOf(long version) {
  return version / 1000 % 1000;
}

}  // namespace orn::control
