// Ids of the shaped-button tests' own template.
#pragma once

#define IDD_HOST 300
