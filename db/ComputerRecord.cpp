#include "db/ComputerRecord.h"

#include "db/CRSVirtualServerGroup.h"
#include "db/RowMutation.h"

namespace {

void SetColumns(const ComputerRecord& computer, CRSVirtualServerGroup& computers) {
  computers.m_Name = computer.Name;
  computers.m_CurrentSite = computer.CurrentSite;
}

RowSelection ByKey(const ComputerRecord& computer) {
  return {"SELECT * FROM VirtualServerGroup where ID = ?", {computer.ID}};
}

}  // namespace

int ComputerRecord::Add(int quiet) const {
  return AddRow<CRSVirtualServerGroup>(
      quiet, {"SELECT * FROM VirtualServerGroup where Name = ?", {Name}},
      WithValue("Computer %s already exists!!. Can not add it.", Name),
      "Can not update computer name. Database error!! Can not update",
      [this](CRSVirtualServerGroup& computers) { SetColumns(*this, computers); });
}

int ComputerRecord::Update(int quiet) const {
  return UpdateRow<CRSVirtualServerGroup>(
      quiet, ByKey(*this), WithValue("Can not update computer name. Computer %s does not exist!!", Name),
      "Can not update computer name. Database error!! Can not update",
      [this](CRSVirtualServerGroup& computers) { SetColumns(*this, computers); });
}
