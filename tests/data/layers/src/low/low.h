// The lower folder.
#pragma once
