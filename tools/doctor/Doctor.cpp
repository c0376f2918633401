#include "Doctor.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "DoctorChecks.h"
#include "config/RegistryKey.h"
#include "device/ResultCodes.h"

namespace orn::ornfr {

namespace {

constexpr char kDoctorUsage[] =
    "usage: ornfr doctor [--device NAME] [--arch 32|64] [--registry FILE] [--port [N=]PATH]\n"
    "  --device    the OPOS device name (default Ornita-OPOS-1)\n"
    "  --arch      the point-of-sale application's bitness (default: this ornfr's own)\n"
    "  --registry  natively: the REGEDIT4 file that stands for the registry\n"
    "  --port      natively: the device path of COM port N (default: the device key's port);\n"
    "              the driver's search looks at these ports only\n"
    "exit status: 0 a receipt can be printed, 2 usage, 5 something a receipt needs is broken\n";

// Returns an empty string, or what is wrong with the arguments.
std::string Parse(int argc, const char* const* argv, DoctorOptions& options) {
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (i + 1 >= argc) return "'" + std::string(arg) + "' needs a value";
    const std::string value = argv[++i];
    if (arg == "--device") {
      options.device = value;
    } else if (arg == "--arch") {
      if (value != "32" && value != "64") return "--arch takes 32 or 64";
      options.arch = std::atoi(value.c_str());
    } else if (arg == "--registry") {
      options.registryFile = value;
    } else if (arg == "--port") {
      const size_t equals = value.find('=');
      int number = 0;
      if (equals != std::string::npos) {
        number = std::atoi(value.substr(0, equals).c_str());
        if (number < 1 || number > 32) return "--port N=PATH takes N from 1 to 32";
      }
      options.ports.emplace_back(number,
                                 equals == std::string::npos ? value : value.substr(equals + 1));
    } else {
      return "unexpected argument '" + std::string(arg) + "'";
    }
  }
  if (options.device.empty()) return "--device needs a name";
  return {};
}

std::string Bits(int bits) {
  return std::to_string(bits) + "-разрядн";
}

bool KeyExists(platform::Registry& registry, const std::string& path) {
  config::RegistryKey key(registry);
  return key.Open(path, platform::RegAccess::kRead) == platform::kErrorSuccess;
}

}  // namespace

int StoredPort(platform::Registry& registry, const std::string& device) {
  config::RegistryKey key(registry);
  uint32_t port = 0;
  if (key.Open(std::string(config::kOposRoot) + "\\" + config::kOposDeviceClass + "\\" + device,
               platform::RegAccess::kRead) != platform::kErrorSuccess ||
      registry.QueryDword(key.Handle(), "ComNumber", port) != platform::kErrorSuccess)
    return 0;
  return int(port);
}

// Lines 1 to 3 in the application's view, and which applications every view serves.
// Returns the ProgID of the application's device key.
std::string CheckEveryView(DoctorSystem& system, const std::vector<int>& views, int app,
                           const std::string& device, Environment& env, DoctorReport& report) {
  std::string progId;
  std::string servesText;
  for (int bits : views) {
    const std::string where = system.RegistryName(bits);
    const DeviceKeyCheck key = CheckDeviceKey(system.RegistryOf(bits), device, env);
    std::vector<std::pair<std::string, Finding>> chain = {{"Ключ устройства", key.finding}};
    if (!system.HasCom()) {
      chain.emplace_back("Служебный объект", Skipped("регистрация COM есть только в Windows"));
      chain.emplace_back("OPOS-контрол", Skipped("регистрация COM есть только в Windows"));
    } else {
      chain.emplace_back("Служебный объект", key.progId.empty()
                                                 ? Skipped("нет ProgID в ключе устройства (см. 1)")
                                                 : system.CheckServiceClass(bits, key.progId));
      chain.emplace_back("OPOS-контрол", system.CheckControl(bits));
    }
    std::string broken;
    for (size_t i = 0; i < chain.size(); ++i) {
      if (bits == app) report.Add(int(i) + 1, chain[i].first + ", " + where, chain[i].second);
      if (chain[i].second.verdict == Verdict::kFailure)
        broken += (broken.empty() ? "" : ", ") + std::to_string(i + 1) + ". " + chain[i].first;
    }
    if (bits == app) progId = key.progId;
    if (!servesText.empty()) servesText += "; ";
    servesText += Bits(bits) + "ые приложения: " +
                  (broken.empty() ? std::string("годится") : "не годится (" + broken + ")");
  }
  if (views.size() > 1) report.Add(0, "Разрядность", Finding{Verdict::kInfo, servesText, {}});

  return progId;
}

// Line 4, in this process when its bitness is the application's. True when the driver's
// own search found no register on any port.
bool CheckOpenService(DoctorSystem& system, int app, const std::string& progId,
                      const std::string& deviceName, DoctorReport& report) {
  const int own = system.OwnBits();
  bool nothingAnswered = false;
  if (app == own) {
    const int before = StoredPort(system.RegistryOf(app), deviceName);
    const OpenOutcome outcome =
        system.OpenServiceObject(progId.empty() ? kOurProgId : progId, deviceName);
    nothingAnswered = outcome.ran && (outcome.resultCode == device::OPOS_E_TIMEOUT ||
                                      outcome.resultCode == device::OPOS_ORS_NOPORT);
    report.Add(4, "OpenService",
               DescribeOpen(outcome, before, StoredPort(system.RegistryOf(app), deviceName)));
  } else {
    report.Add(4, "OpenService",
               Skipped("этот ornfr " + Bits(own) + "ый: OpenService для " + Bits(app) +
                       "ых приложений проверит ornfr.exe их разрядности"));
  }

  return nothingAnswered;
}

int RunDoctor(int argc, const char* const* argv, Environment& env,
              const DoctorSystemFactory& makeSystem) {
  DoctorOptions options;
  if (argc == 3 && (std::string_view(argv[2]) == "--help" || std::string_view(argv[2]) == "-h")) {
    env.out << kDoctorUsage;
    return kExitSuccess;
  }
  if (const std::string problem = Parse(argc, argv, options); !problem.empty()) {
    env.err << "ornfr: " << problem << "\n" << kDoctorUsage;
    return kExitUsage;
  }
  options.device = env.ansiText(options.device);
  std::string error;
  std::unique_ptr<DoctorSystem> system = makeSystem(options, error);
  if (!system) {
    env.err << "ornfr: " << error << "\n";
    return kExitUsage;
  }
  const int own = system->OwnBits();
  const int app = options.arch ? options.arch : own;
  std::vector<int> views = system->Views();
  if (std::find(views.begin(), views.end(), app) == views.end()) {
    env.err << "ornfr: this system runs no " << app << "-bit applications\n";
    return kExitUsage;
  }
  // The application's view first: its lines are the chain checked.
  std::stable_partition(views.begin(), views.end(), [&](int bits) { return bits == app; });

  DoctorReport report(env);
  platform::Registry& registry = system->RegistryOf(app);
  report.Line("ornfr doctor: устройство " + options.device +
              (system->HasCom() ? ", кассовое приложение " + Bits(app) + "ое"
                                : ", " + system->RegistryName(app)));

  const std::string progId = CheckEveryView(*system, views, app, options.device, env, report);

  // 5 to 8 on the device key of the application's view, read as the driver reads it, and
  // before OpenService: its search may write another port into the key.
  NoFiles noFiles;
  config::DriverLog settings(noFiles, env.clock);
  config::DriverParams params(registry, settings);
  const bool readable = params.ReadDeviceParams(options.device);

  const bool nothingAnswered = CheckOpenService(*system, app, progId, options.device, report);

  if (readable) {
    CheckRegister(params, *system, env, nothingAnswered, report);
  } else {
    report.Add(5, "Порт", Skipped("параметры устройства не читаются (см. 1)"));
    report.Add(6, "Состояние ФР", Skipped("параметры устройства не читаются (см. 1)"));
  }
  const bool driverKey = KeyExists(registry, params.DriverKeyPath());
  params.ReadLogParams();
  report.Add(7, "Журнал драйвера", CheckLog(settings, driverKey, env));
  if (KeyExists(registry, params.DeviceKeyPath()))
    report.Add(8, "Состояние чека", CheckStateKey(registry, params.ParamsKeyPath()));
  else
    report.Add(8, "Состояние чека", Skipped("нет ключа устройства (см. 1)"));

  return report.Summarize() ? kExitSuccess : kExitDoctorFound;
}

}  // namespace orn::ornfr
