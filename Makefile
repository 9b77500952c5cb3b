# Front door. Each target is one script under scripts/.
.PHONY: test run bench build package bootstrap

test:
	@scripts/test

run:
	@scripts/run

bench:
	@scripts/bench

build package:
	@scripts/build

bootstrap:
	@scripts/bootstrap
