#include "ui/SitePage.h"

#include "ui/FTPSheet.h"

namespace {
constexpr UINT kTemplateId = 7016;
}

CSitePage::CSitePage() : CFTPSheetPage(kTemplateId, CFTPSheet::kSitePageBit) {}
