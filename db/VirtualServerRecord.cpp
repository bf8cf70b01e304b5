#include "db/VirtualServerRecord.h"

#include "db/CRSVirtualServers.h"
#include "db/RowMutation.h"

namespace {

void SetColumns(const VirtualServerRecord& server, CRSVirtualServers& servers) {
  servers.m_VServerIPAddr = server.VServerIPAddr;
  servers.m_VServerDesc = server.VServerDesc;
  servers.m_VServerGroupID = server.VServerGroupID;
}

RowSelection ByKey(const VirtualServerRecord& server) {
  return {"SELECT * FROM VirtualServers where VServerID = ?", {server.VServerID}};
}

}  // namespace

int VirtualServerRecord::Add(int quiet) const {
  return AddRow<CRSVirtualServers>(
      quiet, {"SELECT * FROM VirtualServers where VServerIPAddr = ?", {VServerIPAddr}},
      WithValue("Can not add virtual server. Virtual server %s already exists!!", VServerIPAddr),
      "Can not add virtual server. Database error!! Can not append",
      [this](CRSVirtualServers& servers) { SetColumns(*this, servers); });
}

int VirtualServerRecord::Update(int quiet) const {
  return UpdateRow<CRSVirtualServers>(
      quiet, ByKey(*this),
      WithValue("Can not upadte virtual server. Virtual server %s does not exist!!", VServerIPAddr),
      "Can not update virtual server. Database error!! Can not update",
      [this](CRSVirtualServers& servers) { SetColumns(*this, servers); });
}
