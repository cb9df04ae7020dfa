// The preview's page, its script and its style, shipped inside the executable: the page needs
// no other address and works with no network.
#pragma once

extern const char* const preview_page_html;
extern const char* const preview_page_script;
extern const char* const preview_page_style;
