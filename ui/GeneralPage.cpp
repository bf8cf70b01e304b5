#include "ui/GeneralPage.h"

#include "ui/FTPSheet.h"

namespace {
constexpr UINT kTemplateId = 129;
}

CGeneralPage::CGeneralPage() : CFTPSheetPage(kTemplateId, CFTPSheet::kGeneralPageBit) {}
