#include "ui/UsersPage.h"

#include "ui/FTPSheet.h"

namespace {
constexpr UINT kTemplateId = 2002;
}

CUsersPage::CUsersPage() : CFTPSheetPage(kTemplateId, CFTPSheet::kUsersPageBit) {}
