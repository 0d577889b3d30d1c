# Thin convenience wrapper; the scripts do the work.
.PHONY: setup run test native windows tool release fuzz bench clean
setup:
	scripts/setup.sh
run:
	scripts/run
test:
	scripts/test
native:
	scripts/build.sh native
windows:
	scripts/build.sh windows
tool:
	scripts/build.sh tool
release:
	scripts/release
fuzz:
	scripts/fuzz $(FUZZ_SECONDS)
bench:
	scripts/bench
clean:
	rm -rf build/native build/windows build/tool build/run
