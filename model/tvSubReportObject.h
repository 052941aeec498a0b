#pragma once

// A subreport placed in a section; its report is loaded into a nested model.
class tvSubReportObject {};
