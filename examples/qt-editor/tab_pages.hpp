// Every page of the example's tab controls (the ProgID table is in tab_page.cpp).
#pragma once

#include "report_pages.hpp"
#include "schedule_pages.hpp"
#include "tab_page.hpp"
