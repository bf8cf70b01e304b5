#include "ui/AboutPage.h"

namespace {
constexpr UINT kTemplateId = 132;
}

CAboutPage::CAboutPage() : CPropertyPage(kTemplateId) {}
