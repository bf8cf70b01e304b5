#pragma once
// The About page: the banner and the version line, as its template draws them.

#include "framework/PropertyPage.h"

class CAboutPage : public CPropertyPage {
 public:
  CAboutPage();
};
