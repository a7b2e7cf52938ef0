# The two commands of this project:
#   make test [T=<regex>]         build everything, run every test (native + Wine)
#   make run  [PROGRAM=<name>]    build, make demo data, start a program under Wine
# Both install missing Debian packages first (scripts/setup.sh).

T ?=
PROGRAM ?= asistencias

.PHONY: test run setup clean

test:
	@T='$(T)' bash scripts/test.sh

run:
	@PROGRAM='$(PROGRAM)' bash scripts/run.sh

setup:
	@bash scripts/setup.sh

clean:
	rm -rf build
