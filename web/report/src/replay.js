// The 3D replay: every vehicle drawn from its class's mesh groups, each group posed by
// the vessel's animation states at the frame shown (pose.js) and placed at the vessel's
// position and heading on a ground grid. One instanced mesh per group and class draws
// all the vehicles of that class. Ground frame (x right, y up, z forward) to three.js:
// z turns into -z, so that the scene is seen as on the ground and not mirrored.
import * as THREE from 'three';
import { OrbitControls } from 'three/examples/jsm/controls/OrbitControls.js';
import { view } from './decode.js';
import { componentMotions, groupPoses, poseOrder, IDENTITY } from './pose.js';

const FOLLOW_DISTANCE = 14; // m behind the vehicle
const FOLLOW_HEIGHT = 6; // m

export class Replay {
  constructor(parent, data, state) {
    this.data = data;
    this.state = state;
    this.frame = 0;
    const box = document.createElement('section');
    box.className = 'view';
    box.innerHTML = '<h2>3D replay</h2>';
    this.modeSelect = document.createElement('select');
    this.modeSelect.className = 'options';
    this.modeSelect.setAttribute('aria-label', 'camera');
    this.modeSelect.add(new Option('orbiting camera', 'orbit'));
    this.modeSelect.add(new Option('following the vessel', 'follow'));
    this.modeSelect.addEventListener('change', () => this.setMode(this.modeSelect.value));
    this.canvas = document.createElement('canvas');
    this.canvas.id = 'replay';
    box.append(this.modeSelect, this.canvas);
    parent.append(box);

    this.renderer = new THREE.WebGLRenderer({ canvas: this.canvas, antialias: true, preserveDrawingBuffer: true });
    this.renderer.setPixelRatio(devicePixelRatio || 1);
    this.scene = new THREE.Scene();
    this.scene.background = new THREE.Color(0xdfe8ef);
    this.scene.add(new THREE.HemisphereLight(0xffffff, 0x8a7f70, 2));
    const sun = new THREE.DirectionalLight(0xffffff, 1.5);
    sun.position.set(30, 60, 20);
    this.scene.add(sun);
    this.camera = new THREE.PerspectiveCamera(50, 1, 0.1, 20000);
    this.controls = new OrbitControls(this.camera, this.canvas);
    this.controls.addEventListener('change', () => this.render());
    this.matrix = new THREE.Matrix4();
    this.pose = new THREE.Matrix4();

    this.addGround();
    this.classes = data.meta.classes.map((c, i) => this.addClass(c, i));
    this.mode = 'orbit';
    this.follow(state.vessel);
    new ResizeObserver(() => this.resize()).observe(this.canvas);
  }

  addGround() {
    const { lo, hi } = this.extent();
    this.span = Math.max(hi[0] - lo[0], hi[1] - lo[1]);
    const size = Math.max(40, this.span) + 40;
    const divisions = Math.min(400, Math.ceil(size / 5));
    const grid = new THREE.GridHelper(divisions * 5, divisions, 0x8899aa, 0xb8c4cc);
    this.centre = [(lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2];
    grid.position.set(this.centre[0], 0, -this.centre[1]);
    this.scene.add(grid);
    this.size = size;
  }

  extent() {
    const lo = [Infinity, Infinity];
    const hi = [-Infinity, -Infinity];
    for (const v of this.data.meta.vessels)
      [v.values.x_m, v.values.z_m].forEach((values, axis) => {
        for (const value of values)
          if (Number.isFinite(value)) (lo[axis] = Math.min(lo[axis], value)), (hi[axis] = Math.max(hi[axis], value));
      });
    return lo[0] <= hi[0] ? { lo, hi } : { lo: [0, 0], hi: [0, 0] };
  }

  addClass(definition, index) {
    const vessels = [];
    this.data.meta.vessels.forEach((v, i) => v.class === index && vessels.push(i));
    const moved = new Set();
    for (const c of definition.components) if (c.groups) for (const g of c.groups) moved.add(`${c.slot}:${g}`);
    const parts = definition.parts.map((part) => {
      const geometry = new THREE.BufferGeometry();
      geometry.setAttribute('position', new THREE.BufferAttribute(view(this.data.buffer, part.positions), 3));
      geometry.setIndex(new THREE.BufferAttribute(view(this.data.buffer, part.indices), 1));
      geometry.computeVertexNormals();
      geometry.computeBoundingBox();
      const [r, g, b, a] = part.colour;
      const material = new THREE.MeshLambertMaterial({
        color: new THREE.Color(r, g, b),
        transparent: a < 1,
        opacity: a,
        side: THREE.DoubleSide,
        depthWrite: a >= 1,
      });
      const mesh = new THREE.InstancedMesh(geometry, material, Math.max(1, vessels.length));
      mesh.count = vessels.length;
      mesh.frustumCulled = false;
      this.scene.add(mesh);
      return { key: `${part.slot}:${part.group}`, mesh, geometry };
    });
    const states = definition.animations.map(() => 0);
    return { definition, vessels, parts, order: poseOrder(definition.components), moved, states };
  }

  // Ground frame to three.js at the vessel's place, heading and touchdown plane.
  placement(v, frame, groundY, out) {
    const h = (v.values.heading_deg[frame] * Math.PI) / 180;
    const c = Math.cos(h);
    const s = Math.sin(h);
    const x = v.values.x_m[frame];
    const z = v.values.z_m[frame];
    return out.set(c, 0, s, x, 0, 1, 0, -groundY, s, 0, -c, -z, 0, 0, 0, 1);
  }

  show(frame) {
    this.frame = frame;
    const vessels = this.data.meta.vessels;
    const place = new THREE.Matrix4();
    for (const cls of this.classes) {
      const { definition, parts, order, states } = cls;
      cls.vessels.forEach((vesselIndex, instance) => {
        const v = vessels[vesselIndex];
        definition.animations.forEach((name, a) => (states[a] = v.values[name][frame]));
        const poses = groupPoses(definition.components, order, componentMotions(definition.components, states));
        this.placement(v, frame, definition.groundY, place);
        for (const part of parts) {
          const m = poses.get(part.key) || IDENTITY;
          this.pose.set(m.r[0], m.r[1], m.r[2], m.t[0], m.r[3], m.r[4], m.r[5], m.t[1], m.r[6], m.r[7], m.r[8], m.t[2], 0, 0, 0, 1);
          this.matrix.multiplyMatrices(place, this.pose);
          part.mesh.setMatrixAt(instance, this.matrix);
        }
      });
      for (const part of parts) part.mesh.instanceMatrix.needsUpdate = true;
    }
    if (this.mode === 'follow') this.placeFollowCamera();
    this.render();
  }

  follow(vesselIndex) {
    this.state.vessel = vesselIndex;
    if (this.mode === 'orbit') this.aimOrbit();
    this.show(this.frame);
  }

  setMode(mode) {
    this.mode = mode;
    this.modeSelect.value = mode;
    this.controls.enabled = mode === 'orbit';
    if (mode === 'orbit') this.aimOrbit();
    this.show(this.frame);
  }

  // The orbiting camera looks at the chosen vessel, from where all the vessels show.
  aimOrbit() {
    const v = this.data.meta.vessels[this.state.vessel];
    const target = new THREE.Vector3(v.values.x_m[this.frame], 1, -v.values.z_m[this.frame]);
    const distance = Math.min(Math.max(18, this.span * 0.6), 2000);
    this.controls.target.copy(target);
    this.camera.position.set(target.x + distance * 0.6, distance * 0.5, target.z + distance * 0.6);
    this.controls.update();
  }

  placeFollowCamera() {
    const v = this.data.meta.vessels[this.state.vessel];
    const h = (v.values.heading_deg[this.frame] * Math.PI) / 180;
    const x = v.values.x_m[this.frame];
    const z = -v.values.z_m[this.frame];
    const forward = [Math.sin(h), -Math.cos(h)];
    this.camera.position.set(x - forward[0] * FOLLOW_DISTANCE, FOLLOW_HEIGHT, z - forward[1] * FOLLOW_DISTANCE);
    this.camera.lookAt(x, 1, z);
  }

  resize() {
    const width = this.canvas.clientWidth;
    const height = this.canvas.clientHeight;
    if (!width || !height) return;
    this.renderer.setSize(width, height, false);
    this.camera.aspect = width / height;
    this.camera.updateProjectionMatrix();
    this.render();
  }

  render() {
    this.renderer.render(this.scene, this.camera);
  }

  // Where on the page the groups that an animation of a vessel moves are drawn now.
  partBox(vesselIndex, animation) {
    const v = this.data.meta.vessels[vesselIndex];
    const cls = this.classes[v.class];
    const a = cls.definition.animations.indexOf(animation);
    if (a < 0) return null;
    const keys = new Set();
    for (const c of cls.definition.components)
      if (c.animation === a && c.groups) for (const g of c.groups) keys.add(`${c.slot}:${g}`);
    const instance = cls.vessels.indexOf(vesselIndex);
    const rect = this.canvas.getBoundingClientRect();
    const box = { left: Infinity, top: Infinity, right: -Infinity, bottom: -Infinity };
    const p = new THREE.Vector3();
    for (const part of cls.parts.filter((q) => keys.has(q.key))) {
      part.mesh.getMatrixAt(instance, this.matrix);
      const positions = part.geometry.attributes.position;
      for (let i = 0; i < positions.count; ++i) {
        p.fromBufferAttribute(positions, i).applyMatrix4(this.matrix).project(this.camera);
        const x = rect.left + ((p.x + 1) / 2) * rect.width;
        const y = rect.top + ((1 - p.y) / 2) * rect.height;
        box.left = Math.min(box.left, x);
        box.right = Math.max(box.right, x);
        box.top = Math.min(box.top, y);
        box.bottom = Math.max(box.bottom, y);
      }
    }
    if (!(box.left <= box.right)) return null;
    return { x: box.left, y: box.top, width: box.right - box.left, height: box.bottom - box.top };
  }
}
