# The setup sheet rendered by headless Chromium (installed by scripts/test.sh):
# the page validates, the screenshot is not blank, the PDF has one page per
# turret table. Skipped (77) outside CI when the browser or a checker is missing.
add_test(NAME QuarnelSheetInBrowser
  COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/sheet_in_browser.py
          $<TARGET_FILE:quarnel_cli> ${CMAKE_BINARY_DIR}/scratch/sheet-in-browser)
set_tests_properties(QuarnelSheetInBrowser PROPERTIES TIMEOUT 900 SKIP_RETURN_CODE 77)
