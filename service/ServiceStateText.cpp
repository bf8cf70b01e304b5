#include "service/ServiceStateText.h"

#include "platform/ServiceManager.h"

ServiceStateDisplay ServiceStateText(DWORD currentState) {
  switch (currentState) {
    case SERVICE_STOPPED:
      return {"Stopped", kServiceButtonsStartOnly};
    case SERVICE_START_PENDING:
      return {"Starting", kServiceButtonsNone};
    case SERVICE_STOP_PENDING:
      return {"Stopping", kServiceButtonsNone};
    case SERVICE_RUNNING:
      return {"Running", kServiceButtonsStopOnly};
    case SERVICE_CONTINUE_PENDING:
      return {"Continuing", kServiceButtonsNone};
    case SERVICE_PAUSE_PENDING:
      return {"Pausing", kServiceButtonsNone};
    case SERVICE_PAUSED:
      return {"Paused", kServiceButtonsNone};
    default:
      return {"Unknown", kServiceButtonsNone};
  }
}
