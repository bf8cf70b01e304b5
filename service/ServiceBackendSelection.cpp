#include "service/ServiceBackendSelection.h"

#include <cstdlib>
#include <map>
#include <memory>

#include "platform/ServiceManager.h"
#include "platform/SystemdServiceBackend.h"
#include "service/FtpServiceControl.h"

std::string FtpServiceUnitName()
{
    const char* configured = std::getenv(kFtpServiceUnitVariable);
    if (configured == nullptr || *configured == '\0')
        return kDefaultFtpServiceUnit;
    std::string unit = configured;
    if (unit.find('.') == std::string::npos)
        unit += ".service";
    return unit;
}

void SelectServiceBackend()
{
    if (!SystemdServiceBackend::SystemBusAnswers()) {
        SetServiceControlBackend(nullptr);
        return;
    }
    SetServiceControlBackend(std::make_shared<SystemdServiceBackend>(
        std::map<std::string, std::string>{{kFtpServiceName, FtpServiceUnitName()}}));
}
