#include "ui/AboutPage.h"

#include "res/ResourceIds.h"

CAboutPage::CAboutPage() : CPropertyPage(IDD_ABOUT) {}
