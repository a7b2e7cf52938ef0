#!/usr/bin/env python3
"""The layer check's own rule, on a small tree written to a temporary folder: each break it must report, and
the downward uses, comments and excused tests it must let pass."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_layers  # noqa: E402

ORDER = ["runtime/core", "runtime/*", "framework/core", "framework/graphics", "framework/data",
         "framework/controls", "framework/data/data_controls", "framework/*"]

TREE = {
    "runtime/core/value.cpp": '#include "runtime/core/value.h"\n#include "framework/core/a.h"\n',
    "runtime/CMakeLists.txt": "add_subdirectory(core)\n",
    "framework/core/a.h": '#include <vector>\n#include "runtime/core/value.h"\n#include "framework/graphics/font.h"\n',
    "framework/core/CMakeLists.txt": ("add_library(vorpex_core STATIC a.cpp)  # not vorpex_graphics\n"
                                      "target_link_libraries(vorpex_core PUBLIC vorpex_graphics)\n"),
    "framework/core/tests/a_test.cpp": '#include "framework/graphics/font.h"\n',
    "framework/core/tests/CMakeLists.txt": "add_executable(a_test ${PROJECT_SOURCE_DIR}/framework/data/d.cpp)\n",
    "framework/graphics/font.cpp": '#include "framework/core/a.h"\n#include "framework/graphics/font.h"\n',
    "framework/graphics/CMakeLists.txt": ("add_library(vorpex_graphics STATIC font.cpp)\n"
                                          "target_link_libraries(vorpex_graphics PUBLIC vorpex_core)\n"),
    "framework/data/d.cpp": '#include "framework/controls/word.h"\n',
    "framework/data/data_controls/db_edit.cpp": '#include "framework/controls/edit.h"\n#include "framework/data/d.h"\n',
    "framework/report/report.cpp": '#include "framework/core/a.h"\n',
    "framework/wiring.cpp": '#include "framework/data/data_controls/db_edit.h"\n',
    "apps/program.cpp": '#include "framework/wiring.h"\n',
}

EXPECTED = {
    "runtime/core/value.cpp:2: runtime/core uses framework/core/a.h of the higher layer framework/core",
    "framework/core/a.h:3: framework/core uses framework/graphics/font.h of the higher layer framework/graphics",
    "framework/core/CMakeLists.txt:2: framework/core uses vorpex_graphics of the higher layer framework/graphics",
    "framework/core/tests/a_test.cpp:1: framework/core uses framework/graphics/font.h of the higher layer "
    "framework/graphics",
    "framework/core/tests/CMakeLists.txt:1: framework/core uses framework/data/d.cpp of the higher layer "
    "framework/data",
    "framework/data/d.cpp:1: framework/data uses framework/controls/word.h of the higher layer framework/controls",
    "framework/report/report.cpp: in no layer (add its folder to the layer order)",
}


class LayerCheck(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        for path, text in TREE.items():
            full = os.path.join(self.folder.name, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w", encoding="utf-8") as f:
                f.write(text)

    def tearDown(self):
        self.folder.cleanup()

    def test_reports_each_upward_use_and_nothing_else(self):
        self.assertEqual(set(check_layers.check(self.folder.name, ORDER, {})), EXPECTED)

    def test_an_excused_test_folder_may_reach_its_named_layer_only(self):
        excused = {("framework/core/tests", "framework/graphics"): "real fonts"}
        breaks = set(check_layers.check(self.folder.name, ORDER, excused))
        self.assertEqual(EXPECTED - breaks, {
            "framework/core/tests/a_test.cpp:1: framework/core uses framework/graphics/font.h of the higher layer "
            "framework/graphics"})

    def test_layer_of_takes_the_longest_listed_folder(self):
        cases = [
            ("framework/data/data_set/set.cpp", "framework/data"),
            ("framework/data/data_controls/db_edit.cpp", "framework/data/data_controls"),
            ("framework/wiring.cpp", "framework/*"),
            ("runtime/CMakeLists.txt", "runtime/*"),
        ]
        for path, layer in cases:
            with self.subTest(path=path):
                self.assertEqual(check_layers.layer_of(path, ORDER)[1], layer)
        self.assertIsNone(check_layers.layer_of("framework/report/report.cpp", ORDER))
        self.assertIsNone(check_layers.layer_of("apps/program.cpp", ORDER))

    def test_the_repository_order_lists_every_folder_once(self):
        self.assertEqual(len(check_layers.LAYER_ORDER), len(set(check_layers.LAYER_ORDER)))
        for tests, layer in check_layers.TEST_EXCEPTIONS:
            self.assertIn(layer, check_layers.LAYER_ORDER)


if __name__ == "__main__":
    unittest.main()
